#include "model/record_fields.h"
#include "model/record_offsets.h"
#include "tools/morvel/byte_meanings.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdio>
#include <iostream>
#include <string>

namespace morvel::cli {

namespace ro = record_offset;

namespace {

constexpr const char* kTextEncoding = "windows-1250";

// Prints the record's fields as "Name = value" lines; texts are shown in UTF-8 inside quotes,
// with control characters escaped so that every field stays on one line.
class Dumper {
public:
    Dumper(const TSettingsRecord& record, QStringDecoder& decoder, std::ostream& out)
        : record_(record), decoder_(decoder), out_(out)
    {
    }

    void Number(const std::string& name, std::size_t offset)
    {
        Line(name, std::to_string(record_.bytes[offset]));
    }

    void Hex(const std::string& name, std::size_t offset, const std::string& meaning)
    {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", record_.bytes[offset]);
        Line(name, std::string(hex) + " " + meaning);
    }

    void Text(const std::string& name, const std::string& bytes) { Line(name, Quoted(bytes)); }

    void Line(const std::string& name, const std::string& value) { out_ << name << " = " << value << '\n'; }

    std::uint8_t Byte(std::size_t offset) const { return record_.bytes[offset]; }

private:
    std::string Quoted(const std::string& bytes)
    {
        const QString text = decoder_.decode(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        std::string quoted = "\"";
        for (const QChar c : text) {
            switch (c.unicode()) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\r': quoted += "\\r"; break;
            case '\n': quoted += "\\n"; break;
            case '\t': quoted += "\\t"; break;
            case 0: quoted += "\\0"; break;
            default:
                if (c.unicode() < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\x%02X", c.unicode());
                    quoted += escaped;
                } else {
                    quoted += QString(c).toStdString();
                }
            }
        }
        return quoted + "\"";
    }

    const TSettingsRecord& record_;
    QStringDecoder& decoder_;
    std::ostream& out_;
};

std::string Indexed(const char* name, int first) { return std::string(name) + "[" + std::to_string(first) + "]"; }

std::string Indexed(const char* name, int first, int second)
{
    return Indexed(name, first) + "[" + std::to_string(second) + "]";
}

// The raw two bytes of a code; "" when no code is set.
std::string CodeBytes(const TSettingsRecord& record, std::size_t offset)
{
    const std::string bytes(record.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                            record.bytes.begin() + static_cast<std::ptrdiff_t>(offset + ro::kCodeLength));
    return bytes == std::string(ro::kCodeLength, '\0') ? std::string() : bytes;
}

void DumpTimersAndFlags(Dumper& dump, const TSettingsRecord& record)
{
    for (int input = 1; input <= ro::kInputCount; ++input)
        dump.Number(Indexed("ReactionTime", input), ReactionTimeOffset(input));
    for (int output = 1; output <= ro::kOutputCount; ++output)
        dump.Number(Indexed("OutputOffTime", output), OutputOffTimeOffset(output));
    dump.Number("ClipRejectTime", ro::kClipRejectTime);
    dump.Number("CallTime", ro::kCallTime);
    dump.Hex("Flags", ro::kFlags, FlagsMeaning(dump.Byte(ro::kFlags)));
    dump.Number("Reserved13", ro::kReserved13);
    dump.Number("SmsConfirmTime", ro::kSmsConfirmTime);
    dump.Number("SmsSendTries", ro::kSmsSendTries);
    for (int input = 1; input <= ro::kInputCount; ++input)
        dump.Number(Indexed("InputBlockTime", input), InputBlockTimeOffset(input));
    dump.Number("ReportPeriod", ro::kReportPeriod);
    for (int output = 1; output <= ro::kOutputCount; ++output)
        dump.Text(Indexed("EnableCode", output), CodeBytes(record, EnableCodeOffset(output)));
    for (int output = 1; output <= ro::kOutputCount; ++output)
        dump.Text(Indexed("DisableCode", output), CodeBytes(record, DisableCodeOffset(output)));
    dump.Text("SmsAccessCode", SmsAccessCode(record));
    dump.Hex("ClipUserFlags", ro::kClipUserFlags, ClipFlagsMeaning(dump.Byte(ro::kClipUserFlags), true));
    dump.Hex("ClipUnknownFlags", ro::kClipUnknownFlags, ClipFlagsMeaning(dump.Byte(ro::kClipUnknownFlags), false));
    dump.Number("Reserved40", ro::kReserved40);
}

void DumpReactions(Dumper& dump)
{
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            const std::size_t offset = InputOutputReactionOffset(input, edge);
            dump.Hex(Indexed("InputOutputReaction", input, edge), offset, OutputReactionMeaning(dump.Byte(offset), false));
        }
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            const std::size_t offset = InputNotificationOffset(input, edge);
            dump.Hex(Indexed("InputNotification", input, edge), offset, NotificationMeaning(dump.Byte(offset)));
        }
    for (int special = 1; special <= ro::kSpecialCount; ++special)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            const std::size_t offset = SpecialOutputReactionOffset(special, edge);
            const bool exitTime = special == ro::kSpecialArmDisarm && edge == 2;
            dump.Hex(Indexed("SpecialOutputReaction", special, edge), offset,
                     OutputReactionMeaning(dump.Byte(offset), exitTime));
        }
    for (std::size_t i = 0; i < ro::kReservedCount85; ++i)
        dump.Number("Reserved" + std::to_string(ro::kReserved85 + i), ro::kReserved85 + i);
    for (int special = 1; special <= ro::kSpecialCount; ++special)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            const std::size_t offset = SpecialNotificationOffset(special, edge);
            dump.Hex(Indexed("SpecialNotification", special, edge), offset, NotificationMeaning(dump.Byte(offset)));
        }
}

void DumpTexts(Dumper& dump, const TSettingsRecord& record)
{
    dump.Text("SimPin", SimPin(record));
    dump.Text("SmsCentre", SmsCentre(record));
    for (int user = 1; user <= ro::kUserCount; ++user)
        dump.Text(Indexed("UserNumber", user), UserNumber(record, user));
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge)
            dump.Text(Indexed("InputText", input, edge), InputText(record, input, edge));
    for (int special = 1; special <= ro::kSpecialCount; ++special)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge)
            dump.Text(Indexed("SpecialText", special, edge), SpecialText(record, special, edge));
    dump.Number("ExitTime", ro::kExitTime);
    dump.Number("EntryTime", ro::kEntryTime);
    dump.Number("SirenTime", ro::kSirenTime);
}

void DumpNotes(Dumper& dump, const TUserNotes& notes)
{
    for (int user = 1; user <= ro::kUserCount; ++user) {
        dump.Text(Indexed("UserNote", user) + ".Name", UserName(notes, user));
        dump.Text(Indexed("UserNote", user) + ".Notes", UserNotesText(notes, user));
    }
}

} // namespace

int RunDump(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Prints every field of the settings record and the user notes, one per line: texts in\n"
                              "UTF-8 inside quotes, flag, reaction and notification bytes in hex with their meaning.");
    line.AddFile("SETTINGS.orv", "The settings file to print.");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    QStringDecoder decoder(kTextEncoding);
    if (!decoder.isValid())
        return Fail(std::string("this Qt build cannot convert ") + kTextEncoding + " texts");
    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitFailure;

    Dumper dump(model.record, decoder, std::cout);
    DumpTimersAndFlags(dump, model.record);
    DumpReactions(dump);
    DumpTexts(dump, model.record);
    DumpNotes(dump, model.notes);
    std::cout.flush();
    return std::cout ? kExitSuccess : Fail("cannot write the dump");
}

} // namespace morvel::cli
