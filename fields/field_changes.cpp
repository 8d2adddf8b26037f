#include "fields/field_changes.h"

#include "fields/change_support.h"
#include "fields/change_texts.h"
#include "fields/field_text.h"
#include "model/record_offsets.h"

#include <algorithm>
#include <set>

namespace morvel {

namespace {

namespace text = change_text;
using namespace change_detail;

std::span<std::uint8_t> MutableBytes(const FieldInfo& field, TSettingsRecord& record, TUserNotes& notes)
{
    std::span<std::uint8_t> block = field.block == FieldBlock::Record ? std::span<std::uint8_t>(record.bytes)
                                                                       : std::span<std::uint8_t>(notes.bytes);
    return block.subspan(field.offset, field.size);
}

// The text a control shows for the field: up to the first NUL.
QString ShownText(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    const QString value = FieldTextValue(field, bytes);
    const qsizetype end = value.indexOf(QChar(0));
    return end < 0 ? value : value.left(end);
}

Problem ApplyNumber(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes)
{
    const std::optional<long long> number = WholeNumber(value);
    if (!number)
        return Arg(text::kNotANumber, GivenAsText(value));
    if (*number == bytes[0])
        return std::nullopt;
    if (!Editable(field))
        return text::kNoControl;
    if (*number < field.minimum || *number > field.maximum)
        return Arg(text::kOutOfRange, *number);
    bytes[0] = static_cast<std::uint8_t>(*number);
    return std::nullopt;
}

Problem Apply(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes)
{
    switch (field.kind) {
    case FieldKind::Byte:
    case FieldKind::Reserved:
        return ApplyNumber(field, value, bytes);
    case FieldKind::Flags:
    case FieldKind::OutputReaction:
    case FieldKind::Notification:
        return ApplyBits(field, value, bytes);
    case FieldKind::ShortString:
    case FieldKind::Code:
        return ApplyText(field, value, bytes);
    }
    return std::nullopt;
}

// --- between fields ----------------------------------------------------------------------------

struct Working {
    TSettingsRecord record;
    TUserNotes notes;
    std::span<const std::uint8_t> Bytes(const FieldInfo& field) const { return FieldBytes(field, record, notes); }
};

// A text that the window empties while a bit of another field is clear: refused where either
// of the two was changed to that state.
void CheckEmptiedFields(const Working& w, const std::set<std::string>& changed, std::vector<RefusedChange>& refused)
{
    for (const FieldInfo& field : FieldCatalogue()) {
        if (!field.emptiedUnless)
            continue;
        const FieldInfo* other = FindField(field.emptiedUnless->field);
        const std::uint8_t mask = field.emptiedUnless->mask;
        const QString shown = ShownText(field, w.Bytes(field));
        if (other == nullptr || shown.isEmpty() || (w.Bytes(*other)[0] & mask) != 0)
            continue;
        const QString option = Meaning(*other, mask);
        if (changed.count(field.name)) {
            refused.push_back({field.name, Arg(text::kEmptiedWithout, Q(other->name), option), AllowedValues(field)});
        } else if (changed.count(other->name)) {
            refused.push_back({other->name, Arg(text::kEmptiesOther, option, Q(field.name), shown),
                               Arg(text::kAllowedOtherField, Q(field.name), Q(other->name), option)});
        }
    }
}

void WarnOfUnreachableUsers(const Working& w, const FieldInfo& field, std::uint8_t before,
                            std::vector<std::string>& warnings)
{
    const std::uint8_t added = w.Bytes(field)[0] & std::uint8_t(~before);
    for (int user = 1; user <= record_offset::kUserCount; ++user) {
        const std::uint8_t userBits = record_offset::NotifySmsBit(user) | record_offset::NotifyClipBit(user);
        const FieldInfo* number = FindField("UserNumber[" + std::to_string(user) + "]");
        if ((added & userBits) && number && ShownText(*number, w.Bytes(*number)).isEmpty())
            warnings.push_back(Arg(text::kNoPhoneNumber, Q(field.name), QString::number(user)));
    }
}

} // namespace

std::string AllowedValues(const FieldInfo& field)
{
    if (!Editable(field))
        return text::kAllowedNothing;
    QString allowed;
    switch (field.editor) {
    case FieldEditor::SpinEdit:
        return Std(QString::fromUtf8(text::kAllowedRange).arg(field.minimum).arg(field.maximum));
    case FieldEditor::Memo:
        return Arg(text::kAllowedNotes, field.maxLength);
    case FieldEditor::Edit: {
        const char* characters = field.characters == TextCharacters::Digits        ? text::kDigits
                                 : field.characters == TextCharacters::PhoneNumber ? text::kPhoneCharacters
                                                                                   : text::kAnyCharacter;
        if (field.requiredLength > 0) {
            allowed = QString::fromUtf8(text::kAllowedExactly).arg(field.requiredLength).arg(QString::fromUtf8(characters));
            if (field.kind == FieldKind::Code)
                allowed += QString::fromUtf8(text::kAllowedNoCode);
        } else {
            allowed = QString::fromUtf8(text::kAllowedUpTo).arg(field.maxLength).arg(QString::fromUtf8(characters));
        }
        if (field.emptiedUnless) {
            const FieldInfo* other = FindField(field.emptiedUnless->field);
            if (other)
                allowed += QString::fromUtf8(text::kAllowedEmptyUnless)
                               .arg(Q(other->name), Meaning(*other, field.emptiedUnless->mask));
        }
        return Std(allowed);
    }
    case FieldEditor::CheckBoxes:
    case FieldEditor::ReactionDialog:
    case FieldEditor::NotificationDialog: {
        const std::uint8_t offered = field.OfferedBits();
        if (field.kind == FieldKind::OutputReaction)
            allowed = QString::fromUtf8(text::kAllowedReaction)
                          .arg(MeaningsOf(field, offered), Meaning(field, record_offset::kReactionInactive));
        else
            allowed = Q(Arg(text::kAllowedBits, MeaningsOf(field, offered)));
        for (std::uint8_t group : field.exclusiveBits)
            allowed += QString::fromUtf8(text::kAllowedOneOf).arg(MeaningsOf(field, group, " / "));
        return Std(allowed);
    }
    case FieldEditor::None:
        break;
    }
    return text::kAllowedNothing;
}

ChangeResult ApplyFieldChanges(TSettingsRecord& record, TUserNotes& notes, std::span<const FieldChange> changes)
{
    ChangeResult result;
    Working w{record, notes};
    std::set<std::string> given;
    std::set<std::string> changed;
    std::vector<std::pair<const FieldInfo*, std::uint8_t>> notifications; // with the byte before
    for (const FieldChange& change : changes) {
        const FieldInfo* field = FindField(change.name);
        if (field == nullptr) {
            result.refused.push_back({change.name, text::kNoSuchField, {}});
            continue;
        }
        if (!given.insert(change.name).second) {
            result.refused.push_back({change.name, text::kGivenTwice, AllowedValues(*field)});
            continue;
        }
        const std::span<std::uint8_t> bytes = MutableBytes(*field, w.record, w.notes);
        const std::vector<std::uint8_t> before(bytes.begin(), bytes.end());
        if (Problem problem = Apply(*field, change.value, bytes)) {
            result.refused.push_back({change.name, *problem, AllowedValues(*field)});
            continue;
        }
        if (!std::equal(bytes.begin(), bytes.end(), before.begin())) {
            changed.insert(change.name);
            result.changed.push_back(change.name);
            if (field->kind == FieldKind::Notification)
                notifications.emplace_back(field, before[0]);
        }
    }
    CheckEmptiedFields(w, changed, result.refused);
    if (!result.refused.empty()) {
        result.changed.clear();
        return result;
    }
    for (const auto& [field, before] : notifications)
        WarnOfUnreachableUsers(w, *field, before, result.warnings);
    record = w.record;
    notes = w.notes;
    return result;
}

std::optional<FieldChange> ParseAssignment(const QString& argument)
{
    const qsizetype equals = argument.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    FieldChange change;
    change.name = Std(argument.left(equals));
    change.value.text = argument.mid(equals + 1);
    return change;
}

} // namespace morvel
