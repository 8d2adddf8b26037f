#include "fields/field_text.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace morvel {

namespace {

constexpr const char* kTextEncoding = "windows-1250";

std::string Place(std::string_view page, std::string_view caption)
{
    if (page.empty())
        return std::string(caption);
    return std::string(page) + " / " + std::string(caption);
}

std::string Escaped(char16_t c)
{
    switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\r': return "\\r";
    case '\n': return "\\n";
    case '\t': return "\\t";
    case 0: return "\\0";
    default: break;
    }
    if (c < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c));
        return escaped;
    }
    return QString(QChar(c)).toStdString();
}

// The two bytes of a code; nothing when no code is set.
std::string_view CodeBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes[0] == 0 && bytes[1] == 0)
        return {};
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The characters a text field's value is made of.
std::string_view TextBytes(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    if (field.kind == FieldKind::Code)
        return CodeBytes(bytes);
    if (field.kind != FieldKind::ShortString)
        return {};
    return {reinterpret_cast<const char*>(bytes.data()) + 1, ValueBytes(field, bytes) - 1};
}

QString Decoded(std::string_view bytes)
{
    QStringDecoder decoder(kTextEncoding);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

} // namespace

bool TextConversionAvailable()
{
    return QStringDecoder(kTextEncoding).isValid();
}

std::string QuotedText(std::string_view bytes)
{
    std::string quoted = "\"";
    for (const QChar c : Decoded(bytes))
        quoted += Escaped(c.unicode());
    return quoted + "\"";
}

std::string HexByte(std::uint8_t byte)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

std::string BitsMeaning(const FieldInfo& field, std::uint8_t byte)
{
    std::string listed;
    for (const FieldBit& bit : field.bits) {
        if ((byte & bit.mask) != 0)
            listed += (listed.empty() ? "" : ", ") + bit.meaning;
    }
    return "(" + (listed.empty() ? field.noBitSet : listed) + ")";
}

std::string FieldValueText(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    switch (field.kind) {
    case FieldKind::Byte:
    case FieldKind::Reserved:
        return std::to_string(bytes[0]);
    case FieldKind::Flags:
    case FieldKind::OutputReaction:
    case FieldKind::Notification:
        return HexByte(bytes[0]) + " " + BitsMeaning(field, bytes[0]);
    case FieldKind::Code:
    case FieldKind::ShortString:
        return QuotedText(TextBytes(field, bytes));
    }
    return {};
}

std::string PlainText(const FieldInfo& field, std::span<const std::uint8_t> bytes)
{
    return Decoded(TextBytes(field, bytes)).toStdString();
}

std::string FieldPlace(const FieldInfo& field)
{
    return Place(field.page, field.caption);
}

std::string DifferingBitsPlace(const FieldInfo& field, std::uint8_t first, std::uint8_t second)
{
    std::vector<std::string> places;
    bool atFieldPlace = false;
    for (const FieldBit& bit : field.bits) {
        if (((first ^ second) & bit.mask) == 0)
            continue;
        if (bit.caption.empty()) {
            atFieldPlace = true;
            continue;
        }
        const std::string place = Place(bit.page, bit.caption);
        if (std::find(places.begin(), places.end(), place) == places.end())
            places.push_back(place);
    }
    if (places.empty())
        return FieldPlace(field);
    if (atFieldPlace)
        places.insert(places.begin(), FieldPlace(field));
    std::string joined;
    for (const std::string& place : places)
        joined += (joined.empty() ? "" : "; ") + place;
    return joined;
}

} // namespace morvel
