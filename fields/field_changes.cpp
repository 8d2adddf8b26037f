#include "fields/field_changes.h"

#include "fields/change_texts.h"
#include "fields/field_text.h"
#include "fields/settings_json.h"
#include "model/record_offsets.h"
#include "model/short_string.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <bit>
#include <cmath>
#include <set>
#include <variant>

namespace morvel {

namespace {

namespace text = change_text;

constexpr std::uint8_t kInactive = 0x80;
constexpr std::uint8_t kDialogBits = 0x7F; // the reaction bits besides "inactive"
constexpr QChar kListSeparator = u',';
constexpr QChar kTab = u'\t';
constexpr QChar kLineFeed = u'\n';
constexpr QChar kCarriageReturn = u'\r';
constexpr QChar kPlus = u'+';
constexpr QChar kMinus = u'-';

std::string Std(const QString& text) { return text.toStdString(); }
QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string Arg(const char* pattern, const QString& a) { return Std(QString::fromUtf8(pattern).arg(a)); }
std::string Arg(const char* pattern, const QString& a, const QString& b)
{
    return Std(QString::fromUtf8(pattern).arg(a, b));
}
std::string Arg(const char* pattern, const QString& a, const QString& b, const QString& c)
{
    return Std(QString::fromUtf8(pattern).arg(a, b, c));
}
std::string Arg(const char* pattern, long long a) { return Arg(pattern, QString::number(a)); }

std::span<std::uint8_t> MutableBytes(const FieldInfo& field, TSettingsRecord& record, TUserNotes& notes)
{
    std::span<std::uint8_t> block = field.block == FieldBlock::Record ? std::span<std::uint8_t>(record.bytes)
                                                                       : std::span<std::uint8_t>(notes.bytes);
    return block.subspan(field.offset, field.size);
}

bool Editable(const FieldInfo& field)
{
    return field.Shown() && field.editor != FieldEditor::None;
}

// The text a control shows for the field: up to the first NUL.
QString ShownText(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    const QString value = FieldTextValue(field, bytes);
    const qsizetype end = value.indexOf(QChar(0));
    return end < 0 ? value : value.left(end);
}

const FieldBit* BitOf(const FieldInfo& field, std::uint8_t mask)
{
    const auto found = std::find_if(field.bits.begin(), field.bits.end(), [mask](const FieldBit& b) { return b.mask == mask; });
    return found == field.bits.end() ? nullptr : &*found;
}

QString Meaning(const FieldInfo& field, std::uint8_t mask)
{
    const FieldBit* bit = BitOf(field, mask);
    return bit ? Q(bit->meaning) : QString::number(mask);
}

QString MeaningsOf(const FieldInfo& field, std::uint8_t mask, const char* separator = ", ")
{
    QStringList meanings;
    for (const FieldBit& bit : field.bits) {
        if (mask & bit.mask)
            meanings << Q(bit.meaning);
    }
    return meanings.join(QString::fromLatin1(separator));
}

// Bits with a box of their own elsewhere in the window (the "exit time" box for bit 0 of the
// Arm/Disarm input's second edge): they are set after the dialog's byte is stored.
std::uint8_t OwnBoxBits(const FieldInfo& field)
{
    std::uint8_t mask = 0;
    for (const FieldBit& bit : field.bits) {
        if (bit.offered && !bit.page.empty() && field.kind == FieldKind::OutputReaction)
            mask |= bit.mask;
    }
    return mask;
}

// Bits the window does not offer but carries through from what it loaded (a hidden box keeps
// its tick); the others it does not offer it stores as 0.
std::uint8_t CarriedBits(const FieldInfo& field)
{
    std::uint8_t mask = 0;
    for (const FieldBit& bit : field.bits) {
        if (!bit.offered && !bit.control.empty())
            mask |= bit.mask;
    }
    return mask;
}

// A problem with the value, or nothing.
using Problem = std::optional<std::string>;

// --- numbers -----------------------------------------------------------------------------------

// A whole number from a text ("17", "0x11") or a JSON number; nothing for anything else.
std::optional<long long> WholeNumber(const GivenValue& value)
{
    if (value.form == GivenValue::Form::Number) {
        if (value.number != std::floor(value.number) || std::abs(value.number) > 1e15)
            return std::nullopt;
        return static_cast<long long>(value.number);
    }
    if (value.form != GivenValue::Form::Text)
        return std::nullopt;
    const QString trimmed = value.text.trimmed();
    bool ok = false;
    long long number = 0;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = trimmed.mid(2).toLongLong(&ok, 16);
    else if (!trimmed.isEmpty() && trimmed.front() != kPlus)
        number = trimmed.toLongLong(&ok, 10);
    return ok ? std::optional<long long>(number) : std::nullopt;
}

QString GivenAsText(const GivenValue& value)
{
    switch (value.form) {
    case GivenValue::Form::Text: return value.text;
    case GivenValue::Form::Number: return QString::number(value.number, 'g', 17);
    case GivenValue::Form::Names: return value.names.join(kListSeparator);
    }
    return {};
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

// --- bit bytes ---------------------------------------------------------------------------------

std::optional<std::string> ExclusionProblem(const FieldInfo& field, std::uint8_t value)
{
    for (std::uint8_t group : field.exclusiveBits) {
        const std::uint8_t set = value & group;
        if (std::popcount(set) > 1) {
            const std::uint8_t first = std::uint8_t(set & -set);
            const std::uint8_t second = std::uint8_t(set & (set - 1));
            return Arg(text::kOptionsExclude, Meaning(field, first), Meaning(field, std::uint8_t(second & -second)));
        }
    }
    return std::nullopt;
}

// The byte the window stores when the operator ticks exactly the options named, everything else
// as the window carries it: hidden boxes keep their loaded ticks, "inactive" clears the rest, an
// empty reaction is stored as inactive, and then the "exit time" box sets its bit.
std::variant<std::uint8_t, std::string> ByteFromNames(const FieldInfo& field, const QStringList& names, std::uint8_t current)
{
    std::uint8_t listed = 0;
    for (const QString& given : names) {
        const QString name = given.trimmed();
        if (name.isEmpty() || name.compare(Q(field.noBitSet), Qt::CaseInsensitive) == 0)
            continue;
        const auto bit = std::find_if(field.bits.begin(), field.bits.end(), [&](const FieldBit& b) {
            return name.compare(Q(b.meaning), Qt::CaseInsensitive) == 0;
        });
        if (bit == field.bits.end())
            return Arg(text::kNoSuchOption, name);
        if (!bit->offered)
            return Arg(text::kOptionNotOffered, Q(bit->meaning));
        listed |= bit->mask;
    }
    if (auto problem = ExclusionProblem(field, listed))
        return *problem;
    const std::uint8_t carried = CarriedBits(field);
    if (field.kind != FieldKind::OutputReaction)
        return std::uint8_t(listed | (current & carried));

    const std::uint8_t ownBox = OwnBoxBits(field);
    const std::uint8_t ticked = listed & ~ownBox;
    std::uint8_t dialog = 0;
    if (ticked & kInactive) {
        if (ticked != kInactive)
            return Arg(text::kInactiveAlone, Meaning(field, kInactive));
        dialog = kInactive;
    } else {
        // The hidden boxes, the own-box bit's among them, hold the ticks they were loaded with.
        dialog = ticked | (current & (carried | ownBox));
        if (dialog == 0)
            dialog = kInactive;
    }
    return std::uint8_t((dialog & ~ownBox) | (listed & ownBox));
}

// Whether the window can store this byte, given as a number, where the field holds `current`.
Problem CheckBitNumber(const FieldInfo& field, std::uint8_t value, std::uint8_t current)
{
    const std::uint8_t offered = field.OfferedBits();
    const std::uint8_t carried = CarriedBits(field);
    if (field.kind == FieldKind::Flags) {
        for (const FieldBit& bit : field.bits) {
            if (bit.offered || ((value ^ current) & bit.mask) == 0)
                continue;
            if (bit.mask & carried)
                return Arg(text::kKeepsBit, Q(bit.meaning));
            if (value & bit.mask)
                return Arg(text::kClearsBit, Q(bit.meaning));
        }
        return ExclusionProblem(field, value);
    }
    // What the dialogs cannot set but clear (ticking "inactive", a user without a phone number).
    const std::uint8_t hidden = std::uint8_t(~offered) & (field.kind == FieldKind::OutputReaction ? kDialogBits : 0xFF);
    const std::uint8_t added = value & hidden & std::uint8_t(~(current & hidden));
    if (added)
        return Arg(text::kCannotSetBit, Meaning(field, std::uint8_t(added & -added)));
    if (field.kind == FieldKind::Notification)
        return std::nullopt;
    const std::uint8_t ownBox = OwnBoxBits(field);
    const std::uint8_t dialog = value & ~ownBox;
    if (dialog & kInactive)
        return dialog == kInactive ? Problem() : Arg(text::kInactiveAlone, Meaning(field, kInactive));
    if (dialog == 0 && ownBox == 0)
        return text::kNoReaction;
    return ExclusionProblem(field, dialog);
}

Problem ApplyBits(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes)
{
    const std::uint8_t current = bytes[0];
    std::uint8_t wanted = 0;
    bool asNumber = false;
    if (const std::optional<long long> number = WholeNumber(value)) {
        if (*number < 0 || *number > 0xFF)
            return Arg(text::kNotAByte, *number);
        wanted = static_cast<std::uint8_t>(*number);
        asNumber = true;
    } else if (value.form == GivenValue::Form::Number) {
        return Arg(text::kNotANumber, GivenAsText(value));
    } else {
        const QStringList names = value.form == GivenValue::Form::Names ? value.names : value.text.split(kListSeparator);
        auto byte = ByteFromNames(field, names, current);
        if (auto* problem = std::get_if<std::string>(&byte))
            return *problem;
        wanted = std::get<std::uint8_t>(byte);
    }
    if (wanted == current)
        return std::nullopt;
    if (!Editable(field))
        return text::kNoControl;
    if (asNumber) {
        if (Problem problem = CheckBitNumber(field, wanted, current))
            return problem;
    }
    bytes[0] = wanted;
    return std::nullopt;
}

// --- texts -------------------------------------------------------------------------------------

// A memo's line breaks as the notes block stores them: CR LF, whichever break was given.
QString StoredLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QString(kLineFeed));
    text.replace(kCarriageReturn, kLineFeed);
    text.replace(kLineFeed, QLatin1String("\r\n"));
    return text;
}

Problem CodePageProblem(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!EncodedText(character))
            return Arg(text::kNoCodePage, character);
        i += length - 1;
    }
    return std::nullopt;
}

Problem CharacterProblem(const FieldInfo& field, const QString& text)
{
    const bool memo = field.editor == FieldEditor::Memo;
    int signs = 0;
    for (const QChar c : text) {
        const bool control = c.unicode() < 0x20 || c.unicode() == 0x7F;
        if (control && !(memo && (c == kTab || c == kLineFeed || c == kCarriageReturn)))
            return text::kControlCharacter;
        switch (field.characters) {
        case TextCharacters::Any:
            break;
        case TextCharacters::Digits:
            if (!c.isDigit() || c.unicode() > 0x7F)
                return Arg(text::kNotADigit, QString(c));
            break;
        case TextCharacters::PhoneNumber:
            if (c == kPlus || c == kMinus) {
                if (++signs > 1)
                    return text::kTwoSigns;
            } else if (!c.isDigit() || c.unicode() > 0x7F) {
                return Arg(text::kNotInNumber, QString(c));
            }
            break;
        }
    }
    return std::nullopt;
}

Problem ApplyText(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes)
{
    if (value.form != GivenValue::Form::Text)
        return text::kExpectsText;
    if (value.text == FieldTextValue(field, bytes))
        return std::nullopt;
    if (!Editable(field))
        return text::kNoControl;
    const QString given = field.editor == FieldEditor::Memo ? StoredLineBreaks(value.text) : value.text;
    if (Problem problem = CodePageProblem(given))
        return problem;
    if (Problem problem = CharacterProblem(field, given))
        return problem;
    const std::string encoded = *EncodedText(given);
    const long long length = static_cast<long long>(encoded.size());
    if (field.maxLength > 0 && length > field.maxLength)
        return Arg(field.editor == FieldEditor::Memo ? text::kTooManyBytes : text::kLength, length);
    if (field.requiredLength > 0 && length != 0 && std::size_t(length) != field.requiredLength)
        return Arg(text::kLength, length);

    if (field.kind == FieldKind::Code) {
        bytes[0] = encoded.empty() ? 0 : std::uint8_t(encoded[0]);
        bytes[1] = encoded.empty() ? 0 : std::uint8_t(encoded[1]);
    } else {
        ShortString(bytes.data(), field.capacity).assign(encoded); // the tail stays, as the window leaves it
    }
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

// --- JSON --------------------------------------------------------------------------------------

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
                          .arg(MeaningsOf(field, offered), Meaning(field, kInactive));
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
