#include "fields/field_text.h"
#include "model/field_catalogue.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

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

int RunDump(Arguments arguments)
{
    if (arguments.size() != 1)
        return UsageError("dump", "expects SETTINGS.orv");
    if (!TextConversionAvailable())
        return Fail(std::string("this Qt build cannot convert ") + kTextEncoding + " texts");
    SettingsModel model;
    if (!LoadSettings(arguments[0], model.record, model.notes))
        return kExitFailure;

    DumpFields(model, std::cout);
    std::cout.flush();
    return std::cout ? kExitSuccess : Fail("cannot write the dump");
}

} // namespace morvel::cli
