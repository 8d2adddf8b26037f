#include "fields/settings_json.h"

#include "fields/field_text.h"

#include <QJsonArray>
#include <QString>

namespace morvel {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

QJsonValue FieldJsonValue(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    if (field.kind == FieldKind::ShortString || field.kind == FieldKind::Code)
        return FieldTextValue(field, bytes);
    return int(bytes[0]);
}

QJsonObject SettingsJson(const TSettingsRecord& record, const TUserNotes& notes)
{
    namespace key = settings_json;
    QJsonArray fields;
    for (const FieldInfo& field : FieldCatalogue()) {
        const auto bytes = FieldBytes(field, record, notes);
        fields.append(QJsonObject{
            {QLatin1String(key::kName), Utf8(field.name)},
            {QLatin1String(key::kBlock),
             QLatin1String(field.block == FieldBlock::Record ? key::kRecordBlock : key::kNotesBlock)},
            {QLatin1String(key::kOffset), qint64(field.offset)},
            {QLatin1String(key::kPage), Utf8(field.page)},
            {QLatin1String(key::kCaption), Utf8(field.caption)},
            {QLatin1String(key::kValue), FieldJsonValue(field, bytes)},
            {QLatin1String(key::kText), Utf8(FieldValueText(field, bytes))},
        });
    }
    return QJsonObject{{QLatin1String(key::kFields), fields}};
}

} // namespace morvel
