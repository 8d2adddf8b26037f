#include "fields/change_support.h"

#include <algorithm>
#include <cmath>

namespace morvel::change_detail {

namespace {

constexpr QChar kListSeparator = u',';
constexpr QChar kPlus = u'+';

const FieldBit* BitOf(const FieldInfo& field, std::uint8_t mask)
{
    const auto found = std::find_if(field.bits.begin(), field.bits.end(), [mask](const FieldBit& b) { return b.mask == mask; });
    return found == field.bits.end() ? nullptr : &*found;
}

} // namespace

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

bool Editable(const FieldInfo& field)
{
    return field.Shown() && field.editor != FieldEditor::None;
}

QString Meaning(const FieldInfo& field, std::uint8_t mask)
{
    const FieldBit* bit = BitOf(field, mask);
    return bit ? Q(bit->meaning) : QString::number(mask);
}

QString MeaningsOf(const FieldInfo& field, std::uint8_t mask, const char* separator)
{
    QStringList meanings;
    for (const FieldBit& bit : field.bits) {
        if (mask & bit.mask)
            meanings << Q(bit.meaning);
    }
    return meanings.join(QString::fromLatin1(separator));
}

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

} // namespace morvel::change_detail
