#include "editor/binding.h"

#include "editor/ansi_text.h"
#include "editor/entry_rules.h"
#include "editor/interlocks.h"
#include "editor/required_control.h"
#include "model/record_fields.h"
#include "model/record_offsets.h"
#include "model/user_number_check.h"
#include "widgets/notes_memo.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextDocument>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace morvel {

namespace {

namespace off = record_offset;

// Bits of the flag bytes shown by numbered families of check boxes.
constexpr int kClipBoxCount = 8;
constexpr int kFlagBoxCount = 6;
constexpr std::uint8_t kExitTimeFunctionBit = off::kReactionDelayed; // bit 0 of byte 82

// Memo lines break with CR LF in the notes block and with '\n' in the control.
const QString kStoredLineBreak = QStringLiteral("\r\n");
const QString kShownLineBreak = QStringLiteral("\n");

QString Numbered(const char* prefix, int number)
{
    return QString::fromLatin1(prefix) + QString::number(number);
}

QString SmsTextName(int input, int edge)
{
    return QStringLiteral("ETSMS_We%1_Re%2").arg(input).arg(edge);
}

QString SpecialTextName(int special, int edge)
{
    return QStringLiteral("ETSpecSMS_We%1_Re%2").arg(special).arg(edge);
}

// --- one control kind at a time -------------------------------------------------------------

void LoadText(QWidget& window, const QString& name, const std::string& bytes)
{
    RequireControl<QLineEdit>(window, name).setText(AnsiToText(bytes));
}

void StoreText(const QWidget& window, const QString& name, ShortString target)
{
    target.assign(TextToAnsi(RequireControl<QLineEdit>(window, name).text()));
}

void LoadByte(QWidget& window, const QString& name, std::uint8_t value)
{
    RequireControl<SpinEdit>(window, name).SetValue(value);
}

// A number typed beyond the range is taken as the bound it exceeds, also while the field still
// has the focus: the byte never wraps around.
void StoreByte(const QWidget& window, const QString& name, std::uint8_t& target)
{
    target = static_cast<std::uint8_t>(RequireControl<SpinEdit>(window, name).Value());
}

void LoadCode(QWidget& window, const QString& name, const TSettingsRecord& record, std::size_t offset)
{
    const char first = static_cast<char>(record.bytes[offset]);
    const char second = static_cast<char>(record.bytes[offset + 1]);
    const bool set = first != '\0' && second != '\0';
    RequireControl<QLineEdit>(window, name).setText(set ? AnsiToText(std::string{first, second}) : QString());
}

// A code is two characters or none.
std::string CodeOf(const QWidget& window, const QString& name)
{
    const QString text = RequireControl<QLineEdit>(window, name).text();
    return text.size() == static_cast<qsizetype>(off::kCodeLength) ? TextToAnsi(text) : std::string();
}

// Ticks the boxes prefix0..prefix(count-1) after the bits of `value`, in bit order: each box
// that changes runs its interlock before the next is set.
void LoadBits(QWidget& window, const char* prefix, int count, std::uint8_t value)
{
    for (int bit = 0; bit < count; ++bit)
        RequireControl<QCheckBox>(window, Numbered(prefix, bit)).setChecked((value >> bit) & 1u);
}

std::uint8_t StoreBits(const QWidget& window, const char* prefix, int count)
{
    std::uint8_t value = 0;
    for (int bit = 0; bit < count; ++bit) {
        if (RequireControl<QCheckBox>(window, Numbered(prefix, bit)).isChecked())
            value |= static_cast<std::uint8_t>(1u << bit);
    }
    return value;
}

// The memo's text as the notes block holds it: the very bytes it was loaded from while the
// operator has not changed it, otherwise its text with CR LF between the lines. The raw text
// keeps every character as typed (plain text would turn a no-break space into a blank).
std::string StoredNotes(const NotesMemo& memo)
{
    if (std::optional<std::string> unedited = memo.UneditedBytes())
        return *unedited;
    QString text = memo.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, kStoredLineBreak);
    text.replace(QChar::LineSeparator, kStoredLineBreak);
    return TextToAnsi(text);
}

// Selects the preset whose number equals the record's centre, or "Own ". The selection raises
// no change, so Ecsms keeps the record's number.
void SelectSmsCentrePreset(QComboBox& centres, const std::string& centre)
{
    centres.setCurrentIndex(kOwnSmsCentreIndex);
    for (int index = 0; index < static_cast<int>(kSmsCentrePresets.size()); ++index) {
        if (TextToAnsi(centres.itemData(index).toString()) == centre)
            centres.setCurrentIndex(index);
    }
}

} // namespace

// --- load pass ---------------------------------------------------------------------------------

void LoadSmsTexts(QWidget& window, const TSettingsRecord& record)
{
    for (int input = 1; input <= off::kInputCount; ++input)
        for (int edge = 1; edge <= off::kEdgeCount; ++edge)
            LoadText(window, SmsTextName(input, edge), InputText(record, input, edge));
    for (int special = 1; special <= off::kSpecialCount; ++special)
        for (int edge = 1; edge <= off::kEdgeCount; ++edge)
            LoadText(window, SpecialTextName(special, edge), SpecialText(record, special, edge));
}

void LoadReactionTimes(QWidget& window, const TSettingsRecord& record)
{
    for (int input = 1; input <= off::kInputCount; ++input)
        LoadByte(window, Numbered("SEtimerPod", input), record.bytes[ReactionTimeOffset(input)]);
}

void LoadBlockTimes(QWidget& window, const TSettingsRecord& record)
{
    for (int input = 1; input <= off::kInputCount; ++input)
        LoadByte(window, Numbered("SEtimerTorBuf", input), record.bytes[InputBlockTimeOffset(input)]);
}

void LoadUserNumbers(QWidget& window, const TSettingsRecord& record)
{
    for (int user = 1; user <= off::kUserCount; ++user)
        LoadText(window, Numbered("Enruser", user), UserNumber(record, user));
}

void LoadOutputs(QWidget& window, const TSettingsRecord& record)
{
    for (int output = 1; output <= off::kOutputCount; ++output) {
        LoadCode(window, Numbered("EZalWy", output), record, EnableCodeOffset(output));
        LoadCode(window, Numbered("EwylWy", output), record, DisableCodeOffset(output));
        LoadByte(window, Numbered("SEWy_offTimer", output), record.bytes[OutputOffTimeOffset(output)]);
    }
}

void LoadBasicTab(QWidget& window, const TSettingsRecord& record)
{
    const auto& bytes = record.bytes;
    LoadText(window, QStringLiteral("EPin"), SimPin(record));
    auto& centres = RequireControl<QComboBox>(window, QStringLiteral("CBcentrum"));
    centres.setCurrentIndex(kOwnSmsCentreIndex);
    LoadText(window, QStringLiteral("Ecsms"), SmsCentre(record));
    LoadByte(window, QStringLiteral("SEtestokr"), bytes[off::kReportPeriod]);
    SelectSmsCentrePreset(centres, SmsCentre(record));
    LoadByte(window, QStringLiteral("SECALL_TIMER"), bytes[off::kCallTime]);
    LoadByte(window, QStringLiteral("SEcallingTimer"), bytes[off::kClipRejectTime]);
    LoadText(window, QStringLiteral("EPINMOD"), SmsAccessCode(record));
    LoadBits(window, "ChbClipVerif", kClipBoxCount, bytes[off::kClipUserFlags]);
    LoadBits(window, "ChBClipNotVerif", kClipBoxCount, bytes[off::kClipUnknownFlags]);
    LoadBits(window, "ChBFlags_", kFlagBoxCount, bytes[off::kFlags]);
    LoadByte(window, QStringLiteral("SEInNONCSTAT18"), bytes[off::kSmsConfirmTime]);
    LoadByte(window, QStringLiteral("SEInONstat916"), bytes[off::kSmsSendTries]);
    // The access code and the report period follow their options even where a box kept its state.
    ChBFlags_5Click(window);
    ChBFlags_4Click(window);
    LoadByte(window, QStringLiteral("SE1190"), bytes[off::kExitTime]);
    LoadByte(window, QStringLiteral("SE1191"), bytes[off::kEntryTime]);
    LoadByte(window, QStringLiteral("SE1192"), bytes[off::kSirenTime]);
    const std::uint8_t armDisarmEdge2 = bytes[SpecialOutputReactionOffset(off::kSpecialArmDisarm, 2)];
    RequireControl<QCheckBox>(window, QStringLiteral("CHB_funkcjaczaswy"))
        .setChecked(armDisarmEdge2 & kExitTimeFunctionBit);
}

void LoadUserNotes(QWidget& window, const TUserNotes& notes)
{
    for (int user = 1; user <= off::kUserCount; ++user) {
        LoadText(window, Numbered("Eosoba", user), UserName(notes, user));
        std::string bytes = UserNotesText(notes, user);
        QString text = AnsiToText(bytes);
        text.replace(kStoredLineBreak, kShownLineBreak);
        RequireControl<NotesMemo>(window, Numbered("Muser", user)).ShowLoaded(text, std::move(bytes));
    }
}

void LoadRecordPass(QWidget& window, const TSettingsRecord& record)
{
    LoadSmsTexts(window, record);
    LoadReactionTimes(window, record);
    LoadBlockTimes(window, record);
    LoadUserNumbers(window, record);
    LoadOutputs(window, record);
    LoadBasicTab(window, record);
}

// --- store pass --------------------------------------------------------------------------------

void StoreSmsTexts(const QWidget& window, TSettingsRecord& record)
{
    for (int input = 1; input <= off::kInputCount; ++input)
        for (int edge = 1; edge <= off::kEdgeCount; ++edge)
            StoreText(window, SmsTextName(input, edge), InputText(record, input, edge));
    for (int special = 1; special <= off::kSpecialCount; ++special)
        for (int edge = 1; edge <= off::kEdgeCount; ++edge)
            StoreText(window, SpecialTextName(special, edge), SpecialText(record, special, edge));
}

void StoreReactionTimes(const QWidget& window, TSettingsRecord& record)
{
    for (int input = 1; input <= off::kInputCount; ++input)
        StoreByte(window, Numbered("SEtimerPod", input), record.bytes[ReactionTimeOffset(input)]);
}

void StoreBlockTimes(const QWidget& window, TSettingsRecord& record)
{
    for (int input = 1; input <= off::kInputCount; ++input)
        StoreByte(window, Numbered("SEtimerTorBuf", input), record.bytes[InputBlockTimeOffset(input)]);
}

void StoreUserNumbers(const QWidget& window, TSettingsRecord& record)
{
    for (int user = 1; user <= off::kUserCount; ++user)
        StoreText(window, Numbered("Enruser", user), UserNumber(record, user));
}

void StoreOutputs(const QWidget& window, TSettingsRecord& record)
{
    for (int output = 1; output <= off::kOutputCount; ++output) {
        SetEnableCode(record, output, CodeOf(window, Numbered("EZalWy", output)));
        SetDisableCode(record, output, CodeOf(window, Numbered("EwylWy", output)));
        StoreByte(window, Numbered("SEWy_offTimer", output), record.bytes[OutputOffTimeOffset(output)]);
    }
}

void StoreBasicTab(const QWidget& window, TSettingsRecord& record)
{
    auto& bytes = record.bytes;
    StoreText(window, QStringLiteral("EPin"), SimPin(record));
    StoreText(window, QStringLiteral("Ecsms"), SmsCentre(record));
    StoreByte(window, QStringLiteral("SECALL_TIMER"), bytes[off::kCallTime]);
    StoreByte(window, QStringLiteral("SEcallingTimer"), bytes[off::kClipRejectTime]);
    StoreText(window, QStringLiteral("EPINMOD"), SmsAccessCode(record));
    StoreByte(window, QStringLiteral("SEtestokr"), bytes[off::kReportPeriod]);
    bytes[off::kClipUserFlags] = StoreBits(window, "ChbClipVerif", kClipBoxCount);
    bytes[off::kClipUnknownFlags] = StoreBits(window, "ChBClipNotVerif", kClipBoxCount);
    bytes[off::kFlags] = StoreBits(window, "ChBFlags_", kFlagBoxCount); // bits 6 and 7 cleared
    StoreByte(window, QStringLiteral("SEInNONCSTAT18"), bytes[off::kSmsConfirmTime]);
    StoreByte(window, QStringLiteral("SEInONstat916"), bytes[off::kSmsSendTries]);
    StoreByte(window, QStringLiteral("SE1190"), bytes[off::kExitTime]);
    StoreByte(window, QStringLiteral("SE1191"), bytes[off::kEntryTime]);
    StoreByte(window, QStringLiteral("SE1192"), bytes[off::kSirenTime]);
    // The other bits of byte 82 are the reaction dialog's.
    std::uint8_t& armDisarmEdge2 = bytes[SpecialOutputReactionOffset(off::kSpecialArmDisarm, 2)];
    if (RequireControl<QCheckBox>(window, QStringLiteral("CHB_funkcjaczaswy")).isChecked())
        armDisarmEdge2 |= kExitTimeFunctionBit;
    else
        armDisarmEdge2 &= static_cast<std::uint8_t>(~kExitTimeFunctionBit);
}

void StoreUserNotes(const QWidget& window, TUserNotes& notes)
{
    for (int user = 1; user <= off::kUserCount; ++user) {
        UserName(notes, user).assign(TextToAnsi(RequireControl<QLineEdit>(window, Numbered("Eosoba", user)).text()));
        UserNotesText(notes, user).assign(StoredNotes(RequireControl<NotesMemo>(window, Numbered("Muser", user))));
    }
}

void StoreRecordPass(const QWidget& window, TSettingsRecord& record)
{
    StoreSmsTexts(window, record);
    StoreReactionTimes(window, record);
    StoreBlockTimes(window, record);
    StoreUserNumbers(window, record);
    StoreOutputs(window, record);
    StoreBasicTab(window, record);
}

bool CheckUserNumbers(const QWidget& window)
{
    std::array<std::string, off::kUserCount> numbers;
    for (int user = 1; user <= off::kUserCount; ++user)
        numbers[static_cast<std::size_t>(user - 1)] = TextToAnsi(RequireControl<QLineEdit>(window, Numbered("Enruser", user)).text());
    return morvel::CheckUserNumbers(numbers);
}

} // namespace morvel
