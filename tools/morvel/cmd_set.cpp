#include "fields/field_changes.h"
#include "fields/field_text.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

#include <QFile>

#include <iostream>
#include <string>
#include <vector>

namespace morvel::cli {

namespace {

constexpr const char* kDescription =
    "Changes named fields of a settings file as the window would: each new value goes through the\n"
    "rules of the field's control, and a value the window could not hold is refused with the\n"
    "field's name and the values it takes. When any value is refused, nothing is changed. A value\n"
    "equal to what the field holds is no change and is taken as it stands. The file is replaced\n"
    "safely. Field names are those `morvel dump` prints.\n"
    "\n"
    "Values by kind of field:\n"
    "  timers         a whole number within the control's range: ReactionTime[3]=5\n"
    "  texts          characters Windows-1250 holds, within the control's length:\n"
    "                 InputText[3][1]=Alarm; UserNote[2].Name=Anna\n"
    "                 SimPin: 4 digits or empty; SmsAccessCode: 4 characters or empty, and\n"
    "                 empty while Flags lacks \"SMS programming\"; UserNumber[1]: digits and at\n"
    "                 most one sign;\n"
    "                 EnableCode[k], DisableCode[k]: 2 characters or empty for no code, and empty\n"
    "                 while Flags lacks \"output k by SMS\"\n"
    "  notes          UserNote[u].Notes: up to 250 bytes; a line break in the value breaks a line\n"
    "  check boxes    Flags, ClipUserFlags, ClipUnknownFlags: the names of the options to tick,\n"
    "                 comma-separated, as the dump lists them: Flags=output 1 by SMS,periodic report;\n"
    "                 or the byte as a number (17, 0x11); \"none\" ticks nothing\n"
    "  reactions      InputOutputReaction[n][e], SpecialOutputReaction[s][e]: \"inactive\" alone, or\n"
    "                 the options to tick: output 1 on, output 1 off, output 2 on, output 2 off,\n"
    "                 immobiliser on, siren on, delayed reaction (exit-time function for\n"
    "                 SpecialOutputReaction[5][2]); or the byte\n"
    "  notifications  InputNotification[n][e], SpecialNotification[s][e]: SMS user 1, CLIP user 1,\n"
    "                 ... SMS user 4, CLIP user 4; \"nobody\"; or the byte\n"
    "Names tick the options the window offers for the field and nothing else; options it does not\n"
    "offer there keep their value. A number must be a byte the window could store.\n"
    "\n"
    "CHANGES.json is what `morvel dump --json` prints, edited or not (each entry's \"name\" and\n"
    "\"value\"), or one object of names and values:\n"
    "  {\"UserNumber[1]\": \"+48601000001\", \"ReactionTime[3]\": 5, \"Flags\": [\"output 1 by SMS\"]}";

constexpr const char* kExitStatuses =
    "  0  the fields were changed, or every value equalled what the file held\n"
    "  1  a value was refused, or a file could not be read or written; nothing was changed\n"
    "  2  the command line was wrong\n";

void PrintRefusals(const std::vector<RefusedChange>& refused)
{
    for (const RefusedChange& refusal : refused) {
        std::cerr << "morvel set: " << refusal.field << ": " << refusal.problem;
        if (!refusal.allowed.empty())
            std::cerr << "; allowed: " << refusal.allowed;
        std::cerr << '\n';
    }
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

// The changes of CHANGES.json, then those of the command line.
bool CollectChanges(const CommandLine& line, const std::optional<std::string>& jsonFile,
                    std::vector<FieldChange>& changes)
{
    if (jsonFile) {
        QFile file(QString::fromLocal8Bit(jsonFile->c_str()));
        if (!file.open(QIODevice::ReadOnly)) {
            Fail("cannot read \"" + *jsonFile + "\": " + file.errorString().toStdString());
            return false;
        }
        std::string error;
        const auto fromJson = ChangesFromJson(file.readAll(), error);
        if (!fromJson) {
            Fail("\"" + *jsonFile + "\": " + error);
            return false;
        }
        changes = *fromJson;
    }
    for (const std::string& argument : line.MoreArguments())
        changes.push_back(*ParseAssignment(QString::fromLocal8Bit(argument.c_str())));
    return true;
}

} // namespace

int RunSet(const Command& command, Arguments arguments)
{
    CommandLine line(command, kDescription, kExitStatuses);
    const QCommandLineOption from = line.AddValueOption("from", "CHANGES.json", "Takes the changes from this JSON file.");
    line.AddFile("SETTINGS.orv", "The settings file to change.");
    line.AddMoreArguments("FIELD=VALUE", "A field to change and its new value.");
    if (const auto finished = line.Parse(arguments))
        return *finished;
    const std::optional<std::string> jsonFile = line.Value(from);
    if (!jsonFile && line.MoreArguments().empty())
        return line.UsageError("expects FIELD=VALUE or --from CHANGES.json");
    for (const std::string& argument : line.MoreArguments()) {
        if (!ParseAssignment(QString::fromLocal8Bit(argument.c_str())))
            return line.UsageError("\"" + argument + "\" is not FIELD=VALUE");
    }

    if (!TextConversionAvailable())
        return Fail("this Qt build cannot convert the Windows-1250 texts");
    std::vector<FieldChange> changes;
    if (!CollectChanges(line, jsonFile, changes))
        return kExitFailure;
    const std::string& settings = line.Files()[0];
    SettingsModel model;
    if (!LoadSettings(settings, model.record, model.notes))
        return kExitFailure;

    const ChangeResult result = ApplyFieldChanges(model.record, model.notes, changes);
    if (!result.refused.empty()) {
        PrintRefusals(result.refused);
        return Fail("nothing changed in \"" + settings + "\"");
    }
    for (const std::string& warning : result.warnings)
        std::cerr << "morvel set: warning: " << warning << '\n';
    if (result.changed.empty()) {
        std::cerr << "morvel set: every value equals what \"" << settings << "\" holds; nothing to change\n";
        return kExitSuccess;
    }
    if (!SaveSettings(model.record, model.notes, settings))
        return kExitFailure;
    std::cerr << "morvel set: changed " << Joined(result.changed) << '\n';
    return kExitSuccess;
}

} // namespace morvel::cli
