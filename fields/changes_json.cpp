#include "fields/change_support.h"
#include "fields/change_texts.h"
#include "fields/settings_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

// Changes read from a JSON document: the dump's entries or one object of names and values.
namespace morvel {

namespace {

namespace text = change_text;
using change_detail::Arg;
using change_detail::Std;

std::optional<GivenValue> FromJson(const QJsonValue& json)
{
    GivenValue value;
    if (json.isString()) {
        value.text = json.toString();
    } else if (json.isDouble()) {
        value.form = GivenValue::Form::Number;
        value.number = json.toDouble();
    } else if (json.isArray()) {
        value.form = GivenValue::Form::Names;
        for (const QJsonValue& name : json.toArray()) {
            if (!name.isString())
                return std::nullopt;
            value.names << name.toString();
        }
    } else {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::vector<FieldChange>> ChangesFromJson(const QByteArray& json, std::string& error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = Arg(text::kNotJson, parseError.errorString(), QString::number(parseError.offset));
        return std::nullopt;
    }
    if (!document.isObject()) {
        error = text::kNotAnObject;
        return std::nullopt;
    }
    const QJsonObject top = document.object();
    const QString fieldsKey = QLatin1String(settings_json::kFields);
    std::vector<std::pair<QString, QJsonValue>> entries;
    if (top.contains(fieldsKey)) {
        if (!top.value(fieldsKey).isArray()) {
            error = text::kFieldsNotAList;
            return std::nullopt;
        }
        int index = 0;
        for (const QJsonValue& entry : top.value(fieldsKey).toArray()) {
            ++index;
            const QJsonObject object = entry.toObject();
            const QJsonValue name = object.value(QLatin1String(settings_json::kName));
            if (!entry.isObject() || !name.isString() || !object.contains(QLatin1String(settings_json::kValue))) {
                error = Arg(text::kEntryIncomplete, index);
                return std::nullopt;
            }
            entries.emplace_back(name.toString(), object.value(QLatin1String(settings_json::kValue)));
        }
    } else {
        for (auto it = top.begin(); it != top.end(); ++it)
            entries.emplace_back(it.key(), it.value());
    }
    std::vector<FieldChange> changes;
    for (const auto& [name, json] : entries) {
        std::optional<GivenValue> value = FromJson(json);
        if (!value) {
            error = Arg(text::kValueOfNoForm, name);
            return std::nullopt;
        }
        changes.push_back({Std(name), *value});
    }
    return changes;
}

} // namespace morvel
