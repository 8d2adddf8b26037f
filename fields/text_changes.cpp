#include "fields/change_support.h"
#include "fields/change_texts.h"
#include "fields/field_text.h"
#include "model/short_string.h"

// The rules for texts and codes: the code page, the characters and the length an edit takes, a
// memo's line breaks.
namespace morvel::change_detail {

namespace {

namespace text = change_text;

constexpr QChar kTab = u'\t';
constexpr QChar kLineFeed = u'\n';
constexpr QChar kCarriageReturn = u'\r';
constexpr QChar kPlus = u'+';
constexpr QChar kMinus = u'-';

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

} // namespace

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

} // namespace morvel::change_detail
