#include "fields/field_text.h"
#include "model/field_catalogue.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

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

} // namespace

int RunDump(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Prints every field of the settings record and the user notes, one per line: texts in\n"
                              "UTF-8 inside quotes, flag, reaction and notification bytes in hex with their meaning.");
    line.AddFile("SETTINGS.orv", "The settings file to print.");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    if (!TextConversionAvailable())
        return Fail(std::string("this Qt build cannot convert ") + kTextEncoding + " texts");
    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitFailure;

    DumpFields(model, std::cout);
    std::cout.flush();
    return std::cout ? kExitSuccess : Fail("cannot write the dump");
}

} // namespace morvel::cli
