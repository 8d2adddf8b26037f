#include "report/report_words.h"

#include "fields/field_text.h"
#include "fields/settings_comparison.h"
#include "model/defaults.h"
#include "model/record_offsets.h"
#include "report/report_texts.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <utility>

namespace morvel {

namespace {

namespace ro = record_offset;
namespace text = report_text;

QString T(const char* text) { return QString::fromUtf8(text); }

const TSettingsRecord& NewFileRecord()
{
    static const TSettingsRecord record = [] {
        TSettingsRecord r;
        ApplyDefaults(r);
        return r;
    }();
    return record;
}

const TUserNotes& NewFileNotes()
{
    static const TUserNotes notes;
    return notes;
}

// The CLIP options in the order a sentence names them.
const std::array<std::pair<std::uint8_t, const char*>, 6> kCallPhrases{{
    {ro::kClipEnableOutput1, text::kClipEnableOutput1},
    {ro::kClipDisableOutput1, text::kClipDisableOutput1},
    {ro::kClipToggleOutput1, text::kClipToggleOutput1},
    {ro::kClipEnableOutput2, text::kClipEnableOutput2},
    {ro::kClipDisableOutput2, text::kClipDisableOutput2},
    {ro::kClipToggleOutput2, text::kClipToggleOutput2},
}};

} // namespace

ReportFields::ReportFields(const TSettingsRecord& record, const TUserNotes& notes) : record_(record), notes_(notes) {}

const FieldInfo& ReportFields::Field(std::string_view name) const
{
    const FieldInfo* field = FindField(name);
    if (field == nullptr)
        throw std::logic_error("the report names a field the catalogue lacks: " + std::string(name));
    return *field;
}

std::uint8_t ReportFields::Byte(std::string_view name) const
{
    return FieldBytes(Field(name), record_, notes_)[0];
}

QString ReportFields::Text(std::string_view name) const
{
    const FieldInfo& field = Field(name);
    const QString value = FieldTextValue(field, FieldBytes(field, record_, notes_));
    const qsizetype end = value.indexOf(QChar(0));
    return end < 0 ? value : value.left(end);
}

bool ReportFields::IsDefault(std::string_view name) const
{
    const FieldInfo& field = Field(name);
    const auto bytes = FieldBytes(field, record_, notes_);
    const auto fresh = FieldBytes(field, NewFileRecord(), NewFileNotes());
    if (!FieldValuesDiffer(field, bytes, fresh))
        return true;
    // A spin edit shows a new file's 0 as its minimum and stores that.
    return field.editor == FieldEditor::SpinEdit
           && bytes[0] == std::clamp<int>(fresh[0], field.minimum, field.maximum);
}

ReportUsers::ReportUsers(const ReportFields& fields) : fields_(fields) {}

QString ReportUsers::Named(int user) const
{
    const QString name = fields_.Text("UserNote[" + std::to_string(user) + "].Name");
    if (name.isEmpty())
        return T(text::kUserNumbered).arg(user);
    return T(text::kUserNamed).arg(user).arg(name);
}

QString ReportUsers::Number(int user) const
{
    return fields_.Text("UserNumber[" + std::to_string(user) + "]");
}

QString JoinedPhrases(const QStringList& phrases)
{
    if (phrases.size() < 2)
        return phrases.join(QString());
    return phrases.mid(0, phrases.size() - 1).join(T(text::kListSeparator)) + T(text::kLastSeparator) + phrases.back();
}

QString ReactionWords(const FieldInfo& field, std::uint8_t byte)
{
    QStringList words;
    for (const FieldBit& bit : field.bits) {
        if ((byte & bit.mask) == 0 || !bit.page.empty())
            continue;
        if (bit.mask == ro::kReactionInactive)
            words << T(text::kNoReaction);
        else if (bit.offered)
            words << QString::fromStdString(bit.meaning);
        else
            words << T(text::kNotShownInWindow).arg(QString::fromStdString(bit.meaning));
    }
    return words.isEmpty() ? QString::fromStdString(field.noBitSet) : words.join(T(text::kListSeparator));
}

QString NotificationWords(std::uint8_t byte, const ReportUsers& users)
{
    QStringList words;
    for (int user = 1; user <= ro::kUserCount; ++user) {
        const bool sms = byte & ro::NotifySmsBit(user);
        const bool call = byte & ro::NotifyClipBit(user);
        if (!sms && !call)
            continue;
        QString who = users.Named(user);
        if (users.Number(user).isEmpty())
            who = T(text::kNoPhoneNumber).arg(who);
        words << T(sms && call ? text::kSmsAndCallTo : sms ? text::kSmsTo : text::kCallTo).arg(who);
    }
    return words.isEmpty() ? T(text::kNobody) : words.join(T(text::kListSeparator));
}

QString CallWords(std::uint8_t flags, const ReportUsers& users)
{
    QStringList phrases;
    for (const auto& [mask, phrase] : kCallPhrases) {
        if (flags & mask)
            phrases << T(phrase);
    }
    if (flags & ro::kClipReportToUser1)
        phrases << T(text::kClipReport).arg(users.Named(1));
    return phrases.isEmpty() ? T(text::kDoesNothing) : JoinedPhrases(phrases);
}

} // namespace morvel
