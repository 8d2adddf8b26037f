#include "fields/field_text.h"
#include "model/field_catalogue.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"
#include "tools/morvel/comparison_report.h"

#include <QJsonArray>
#include <QJsonObject>

#include <iostream>
#include <string>

namespace morvel::cli {

namespace {

constexpr const char* kTextEncoding = "windows-1250";

// Every field of the catalogue as a "Name = value" line, in catalogue order.
void DumpFields(const SettingsModel& model, std::ostream& out)
{
    for (const FieldInfo& field : FieldCatalogue())
        out << field.name << " = " << FieldValueText(field, FieldBytes(field, model.record, model.notes)) << '\n';
}

// The value for scripts: texts as strings, everything else as its number.
QJsonValue PlainValue(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    if (field.kind == FieldKind::ShortString || field.kind == FieldKind::Code)
        return QString::fromStdString(PlainText(field, bytes));
    return int(bytes[0]);
}

QJsonObject DumpJson(const SettingsModel& model, const std::string& file)
{
    QJsonArray fields;
    for (const FieldInfo& field : FieldCatalogue()) {
        const auto bytes = FieldBytes(field, model.record, model.notes);
        fields.append(QJsonObject{
            {QStringLiteral("name"), QString::fromStdString(field.name)},
            {QStringLiteral("block"), field.block == FieldBlock::Record ? QStringLiteral("record") : QStringLiteral("notes")},
            {QStringLiteral("offset"), qint64(field.offset)},
            {QStringLiteral("page"), QString::fromStdString(field.page)},
            {QStringLiteral("caption"), QString::fromStdString(field.caption)},
            {QStringLiteral("value"), PlainValue(field, bytes)},
            {QStringLiteral("text"), QString::fromStdString(FieldValueText(field, bytes))},
        });
    }
    return {{QStringLiteral("file"), FromLocal(file)}, {QStringLiteral("fields"), fields}};
}

} // namespace

int RunDump(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Prints every field of the settings record and the user notes, one per line: texts in\n"
                              "UTF-8 inside quotes, flag, reaction and notification bytes in hex with their meaning.");
    const QCommandLineOption json =
        line.AddFlag("json", "Print one JSON document: each field's name, page, caption, offset and value.");
    line.AddFile("SETTINGS.orv", "The settings file to print.");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    if (!TextConversionAvailable())
        return Fail(std::string("this Qt build cannot convert ") + kTextEncoding + " texts");
    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitFailure;

    if (line.IsSet(json)) {
        PrintJson(DumpJson(model, line.Files()[0]));
        return std::cout ? kExitSuccess : Fail("cannot write the dump");
    }
    DumpFields(model, std::cout);
    std::cout.flush();
    return std::cout ? kExitSuccess : Fail("cannot write the dump");
}

} // namespace morvel::cli
