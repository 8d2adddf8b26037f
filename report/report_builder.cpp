#include "report/report_builder.h"

#include "model/field_catalogue.h"
#include "model/record_offsets.h"
#include "model/sms_centres.h"
#include "report/report_texts.h"
#include "report/report_words.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace morvel {

namespace {

namespace ro = record_offset;
namespace text = report_text;

QString T(const char* text) { return QString::fromUtf8(text); }

std::string Indexed(std::string_view name, int first)
{
    return std::string(name) + "[" + std::to_string(first) + "]";
}

std::string Indexed(std::string_view name, int first, int second)
{
    return Indexed(name, first) + "[" + std::to_string(second) + "]";
}

QString Quoted(const QString& value) { return T(text::kQuoted).arg(value); }

// A text as a table cell shows it: quoted, or nothing.
QString QuotedOrEmpty(const QString& value) { return value.isEmpty() ? QString() : Quoted(value); }

// Tenths of a second and tens of seconds, as the input timers count them.
QString Tenths(int value) { return T(text::kSeconds).arg(QString::number(value / 10.0)); }
QString Seconds(int value) { return T(text::kSeconds).arg(value); }

// The three fields of one edge of an input or special input.
struct EdgeFields {
    std::string reaction;
    std::string notification;
    std::string text;
};

EdgeFields InputEdge(int input, int edge)
{
    return {Indexed("InputOutputReaction", input, edge), Indexed("InputNotification", input, edge),
            Indexed("InputText", input, edge)};
}

EdgeFields SpecialEdge(int special, int edge)
{
    return {Indexed("SpecialOutputReaction", special, edge), Indexed("SpecialNotification", special, edge),
            Indexed("SpecialText", special, edge)};
}

class Builder {
public:
    Builder(const TSettingsRecord& record, const TUserNotes& notes, const ReportOptions& options)
        : fields_(record, notes), users_(fields_), options_(options)
    {
    }

    bool NothingSet() const;
    ReportSection Users() const;
    ReportSection Basic() const;
    ReportSection Inputs() const;
    ReportSection SpecialInputs() const;
    ReportSection Outputs() const;
    bool AnyCodeSet() const { return !fields_.Text("SimPin").isEmpty() || !fields_.Text("SmsAccessCode").isEmpty(); }

private:
    // Whether a fact drawn from these fields goes into the report.
    bool Listed(std::initializer_list<std::string_view> names) const;
    bool ListedBits(std::string_view name, std::uint8_t mask) const;
    bool BitSet(std::string_view name, std::uint8_t mask) const { return fields_.Byte(name) & mask; }
    QString Code(std::string_view name) const;
    bool EdgeIsDefault(const EdgeFields& edge) const;
    QStringList EdgeRow(const EdgeFields& edge) const;
    // Rows for the edges that do something; the others go into the summary line.
    void AddEdges(const std::vector<EdgeFields>& edges, std::vector<ReportBlock>& blocks, const char* noneActive) const;
    QString Confirmation(int output, int edge) const;
    QString OutputCode(const std::string& name) const;
    QString BySms(int output) const;
    bool BySmsListed(int output) const;
    QString AutoOff(int output) const;
    bool AutoOffListed(int output) const;

    ReportFields fields_;
    ReportUsers users_;
    ReportOptions options_;
};

bool Builder::Listed(std::initializer_list<std::string_view> names) const
{
    if (options_.scope == ReportScope::Everything)
        return true;
    for (std::string_view name : names) {
        if (!fields_.IsDefault(name))
            return true;
    }
    return false;
}

// A new file holds no flag bit set; the bits of a field stand for several facts.
bool Builder::ListedBits(std::string_view name, std::uint8_t mask) const
{
    return options_.scope == ReportScope::Everything || BitSet(name, mask);
}

QString Builder::Code(std::string_view name) const
{
    const QString code = fields_.Text(name);
    if (code.isEmpty())
        return T(text::kNotSet);
    return options_.codes == ReportCodes::Shown ? code : T(text::kHiddenCode);
}

bool Builder::NothingSet() const
{
    for (const FieldInfo& field : FieldCatalogue()) {
        if (field.Shown() && !fields_.IsDefault(field.name))
            return false;
    }
    return true;
}

ReportSection Builder::Users() const
{
    ReportTable table{{T(text::kUser), T(text::kPhoneNumber), T(text::kName), T(text::kNotes)}, {10, 22, 26, 42}, {}};
    for (int user = 1; user <= ro::kUserCount; ++user) {
        const QString number = users_.Number(user);
        const QString name = fields_.Text("UserNote[" + std::to_string(user) + "].Name");
        QString notes = fields_.Text("UserNote[" + std::to_string(user) + "].Notes");
        notes.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (!number.isEmpty() || !name.isEmpty() || !notes.isEmpty())
            table.rows.push_back({QString::number(user), number, name, notes});
    }
    ReportSection section{T(text::kUsers), {}};
    if (!table.rows.empty())
        section.blocks.push_back(table);
    else if (options_.scope == ReportScope::Everything)
        section.blocks.push_back(ReportParagraph{T(text::kNoUser)});
    return section;
}

ReportSection Builder::Basic() const
{
    ReportFacts facts;
    const auto add = [&facts](const char* label, const QString& value) { facts.facts.push_back({T(label), value}); };
    if (Listed({"SimPin"}))
        add(text::kSimPin, Code("SimPin"));
    if (Listed({"SmsCentre"})) {
        const QString centre = fields_.Text("SmsCentre");
        QString shown = centre.isEmpty() ? T(text::kNotSet) : T(text::kOwnCentre).arg(centre);
        for (const SmsCentrePreset& preset : kSmsCentrePresets) {
            if (!centre.isEmpty() && centre == QLatin1String(preset.number))
                shown = T(text::kPresetCentre).arg(centre, QLatin1String(preset.entry));
        }
        add(text::kSmsCentre, shown);
    }
    if (Listed({"SmsConfirmTime"}))
        add(text::kConfirmationTime, Seconds(fields_.Byte("SmsConfirmTime")));
    if (Listed({"SmsSendTries"}))
        add(text::kSendTries, QString::number(fields_.Byte("SmsSendTries")));
    if (ListedBits("Flags", ro::kFlagPeriodicReport) || Listed({"ReportPeriod"})) {
        const QString every = T(text::kHours).arg(fields_.Byte("ReportPeriod"));
        add(text::kPeriodicReport, BitSet("Flags", ro::kFlagPeriodicReport)
                                       ? T(text::kReportEvery).arg(every, users_.Named(1))
                                       : T(text::kOff));
    }
    if (Listed({"ClipRejectTime", "CallTime"}))
        add(text::kCalls, T(text::kCallTimes).arg(Seconds(fields_.Byte("ClipRejectTime")), Seconds(fields_.Byte("CallTime"))));
    constexpr std::uint8_t kCallOptions = std::uint8_t(~ro::kClipForwardUnknownSms);
    if (ListedBits("ClipUserFlags", kCallOptions))
        add(text::kCallFromUser, CallWords(fields_.Byte("ClipUserFlags") & kCallOptions, users_));
    if (ListedBits("ClipUnknownFlags", kCallOptions))
        add(text::kCallFromUnknown, CallWords(fields_.Byte("ClipUnknownFlags") & kCallOptions, users_));
    if (ListedBits("ClipUserFlags", ro::kClipForwardUnknownSms))
        add(text::kUnidentifiedSms, BitSet("ClipUserFlags", ro::kClipForwardUnknownSms)
                                        ? T(text::kForwardedTo).arg(users_.Named(1))
                                        : T(text::kNotForwarded));
    if (ListedBits("Flags", ro::kFlagSmsProgramming) || Listed({"SmsAccessCode"})) {
        QString programming = T(text::kOff);
        if (BitSet("Flags", ro::kFlagSmsProgramming))
            programming = fields_.Text("SmsAccessCode").isEmpty() ? T(text::kSmsProgrammingNoCode)
                                                                  : T(text::kSmsProgrammingOn).arg(Code("SmsAccessCode"));
        add(text::kSmsProgramming, programming);
    }
    if (Listed({"EntryTime"}))
        add(text::kEntryTime, QString::number(fields_.Byte("EntryTime")));
    if (Listed({"ExitTime"}))
        add(text::kExitTime, QString::number(fields_.Byte("ExitTime")));
    if (Listed({"SirenTime"}))
        add(text::kSirenTime, QString::number(fields_.Byte("SirenTime")));
    const std::string armDisarmEdge2 = Indexed("SpecialOutputReaction", ro::kSpecialArmDisarm, 2);
    if (ListedBits(armDisarmEdge2, ro::kReactionDelayed))
        add(text::kExitTimeFunction, T(BitSet(armDisarmEdge2, ro::kReactionDelayed) ? text::kOn : text::kOff));

    ReportSection section{T(text::kBasic), {}};
    if (!facts.facts.empty())
        section.blocks.push_back(facts);
    return section;
}

// The reaction compared without the bits shown elsewhere (the exit-time function).
bool Builder::EdgeIsDefault(const EdgeFields& edge) const
{
    const FieldInfo& reaction = fields_.Field(edge.reaction);
    std::uint8_t elsewhere = 0;
    for (const FieldBit& bit : reaction.bits) {
        if (!bit.page.empty())
            elsewhere |= bit.mask;
    }
    const bool reactionDefault = (fields_.Byte(edge.reaction) & ~elsewhere) == (ro::kReactionInactive & ~elsewhere);
    return reactionDefault && fields_.IsDefault(edge.notification) && fields_.IsDefault(edge.text);
}

QStringList Builder::EdgeRow(const EdgeFields& edge) const
{
    const FieldInfo& reaction = fields_.Field(edge.reaction);
    return {QString::fromStdString(reaction.row), QString::fromStdString(reaction.edge),
            ReactionWords(reaction, fields_.Byte(edge.reaction)),
            NotificationWords(fields_.Byte(edge.notification), users_), QuotedOrEmpty(fields_.Text(edge.text))};
}

void Builder::AddEdges(const std::vector<EdgeFields>& edges, std::vector<ReportBlock>& blocks, const char* noneActive) const
{
    ReportTable table{{T(text::kInput), T(text::kEdge), T(text::kOutputsColumn), T(text::kInforms), T(text::kSmsText)},
                      {15, 19, 20, 22, 24}, {}};
    QStringList inactive;
    for (std::size_t i = 0; i < edges.size(); i += 2) {
        const bool firstIdle = EdgeIsDefault(edges[i]);
        const bool secondIdle = EdgeIsDefault(edges[i + 1]);
        const FieldInfo& first = fields_.Field(edges[i].reaction);
        const FieldInfo& second = fields_.Field(edges[i + 1].reaction);
        const QString row = QString::fromStdString(first.row);
        if (firstIdle && secondIdle)
            inactive << T(text::kBothEdges).arg(row);
        else if (firstIdle)
            inactive << T(text::kOneEdge).arg(row, QString::fromStdString(first.edge));
        else if (secondIdle)
            inactive << T(text::kOneEdge).arg(row, QString::fromStdString(second.edge));
        if (!firstIdle)
            table.rows.push_back(EdgeRow(edges[i]));
        if (!secondIdle)
            table.rows.push_back(EdgeRow(edges[i + 1]));
    }
    if (table.rows.empty()) {
        if (options_.scope == ReportScope::Everything)
            blocks.push_back(ReportParagraph{T(noneActive)});
        return;
    }
    blocks.push_back(table);
    if (!inactive.isEmpty() && options_.scope == ReportScope::Everything)
        blocks.push_back(ReportParagraph{T(text::kInactiveEdges).arg(inactive.join(T(text::kEdgeSeparator)))});
}

ReportSection Builder::Inputs() const
{
    std::vector<EdgeFields> edges;
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge)
            edges.push_back(InputEdge(input, edge));
    ReportSection section{T(text::kInputs), {}};
    AddEdges(edges, section.blocks, text::kNoInputAction);

    ReportTable timers{{T(text::kInput), T(text::kReactionTime), T(text::kBlockTime)}, {34, 33, 33}, {}};
    for (int input = 1; input <= ro::kInputCount; ++input) {
        const std::string reaction = Indexed("ReactionTime", input);
        const std::string blocking = Indexed("InputBlockTime", input);
        if (!Listed({reaction, blocking}))
            continue;
        timers.rows.push_back({QString::fromStdString(fields_.Field(InputEdge(input, 1).reaction).row),
                               Tenths(fields_.Byte(reaction)), Seconds(10 * fields_.Byte(blocking))});
    }
    if (!timers.rows.empty()) {
        section.blocks.push_back(ReportSubheading{T(text::kInputTimers)});
        section.blocks.push_back(timers);
    }
    return section;
}

ReportSection Builder::SpecialInputs() const
{
    std::vector<EdgeFields> edges;
    for (int special : {ro::kSpecialHijack, ro::kSpecialArmDisarm})
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge)
            edges.push_back(SpecialEdge(special, edge));
    ReportSection section{T(text::kSpecialInputs), {}};
    AddEdges(edges, section.blocks, text::kNoSpecialAction);
    return section;
}

QString Builder::Confirmation(int output, int edge) const
{
    const EdgeFields fields = SpecialEdge(output, edge);
    const std::uint8_t notification = fields_.Byte(fields.notification);
    const QString smsText = fields_.Text(fields.text);
    if (notification == 0 && smsText.isEmpty())
        return T(text::kNobodyInformed);
    const QString who = NotificationWords(notification, users_);
    return smsText.isEmpty() ? who : T(text::kConfirmation).arg(who, Quoted(smsText));
}

std::uint8_t BySmsFlag(int output) { return output == 1 ? ro::kFlagOutput1BySms : ro::kFlagOutput2BySms; }
std::uint8_t AutoOffFlag(int output) { return output == 1 ? ro::kFlagOutput1AutoOff : ro::kFlagOutput2AutoOff; }

QString Builder::OutputCode(const std::string& name) const
{
    const QString value = fields_.Text(name);
    return value.isEmpty() ? T(text::kNoCode) : Quoted(value);
}

QString Builder::BySms(int output) const
{
    if (!BitSet("Flags", BySmsFlag(output)))
        return T(text::kNo);
    return T(text::kBySmsCodes).arg(OutputCode(Indexed("EnableCode", output)), OutputCode(Indexed("DisableCode", output)));
}

bool Builder::BySmsListed(int output) const
{
    return ListedBits("Flags", BySmsFlag(output)) || Listed({Indexed("EnableCode", output), Indexed("DisableCode", output)});
}

QString Builder::AutoOff(int output) const
{
    if (!BitSet("Flags", AutoOffFlag(output)))
        return T(text::kNo);
    return T(text::kAfter).arg(Seconds(fields_.Byte(Indexed("OutputOffTime", output))));
}

bool Builder::AutoOffListed(int output) const
{
    return ListedBits("Flags", AutoOffFlag(output)) || Listed({Indexed("OutputOffTime", output)});
}

// One row per aspect of the outputs, output 1 and output 2 side by side; in a changed-only
// report the rows where both outputs hold a new file's values are left out.
ReportSection Builder::Outputs() const
{
    ReportTable table{{QString(), T(text::kOutputNumbered).arg(1), T(text::kOutputNumbered).arg(2)}, {26, 37, 37}, {}};
    if (BySmsListed(1) || BySmsListed(2))
        table.rows.push_back({T(text::kBySms), BySms(1), BySms(2)});
    if (AutoOffListed(1) || AutoOffListed(2))
        table.rows.push_back({T(text::kSwitchesOff), AutoOff(1), AutoOff(2)});
    for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
        const EdgeFields first = SpecialEdge(1, edge);
        const EdgeFields second = SpecialEdge(2, edge);
        if (Listed({first.notification, first.text, second.notification, second.text}))
            table.rows.push_back({T(edge == 1 ? text::kWhenOn : text::kWhenOff), Confirmation(1, edge), Confirmation(2, edge)});
    }
    ReportSection section{T(text::kOutputs), {}};
    if (!table.rows.empty())
        section.blocks.push_back(table);
    return section;
}

} // namespace

ReportDocument BuildReport(const TSettingsRecord& record, const TUserNotes& notes, const ReportSource& source,
                           const ReportOptions& options)
{
    const Builder builder(record, notes, options);
    ReportDocument report;
    report.title = T(text::kTitle);
    report.header.push_back({T(text::kFile), source.settingsName});
    report.header.push_back({T(text::kMade), source.made.toString(QString::fromLatin1(text::kMadeFormat))});
    report.header.push_back({T(text::kProgram), source.program});
    if (source.verdict)
        report.header.push_back({T(text::kVerification), *source.verdict});

    if (builder.NothingSet()) {
        report.sections.push_back({QString(), {ReportParagraph{T(text::kNothingSet)}}});
        return report;
    }
    if (options.codes == ReportCodes::Hidden && builder.AnyCodeSet())
        report.notes << T(text::kCodesHidden);
    if (options.scope == ReportScope::ChangedOnly)
        report.notes << T(text::kChangedOnly);
    for (ReportSection section : {builder.Users(), builder.Basic(), builder.Inputs(), builder.SpecialInputs(),
                                  builder.Outputs()}) {
        if (!section.blocks.empty())
            report.sections.push_back(std::move(section));
    }
    return report;
}

} // namespace morvel
