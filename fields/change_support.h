#pragma once

#include "fields/field_changes.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// What the rules of the kinds of fields share (field_changes.cpp, bit_changes.cpp,
// text_changes.cpp, changes_json.cpp): the messages' texts, option names, numbers as given.
namespace morvel::change_detail {

// A problem with the value, or nothing.
using Problem = std::optional<std::string>;

std::string Std(const QString& text);
QString Q(const std::string& text);
// A message text with its %1, %2, %3 filled in.
std::string Arg(const char* pattern, const QString& a);
std::string Arg(const char* pattern, const QString& a, const QString& b);
std::string Arg(const char* pattern, const QString& a, const QString& b, const QString& c);
std::string Arg(const char* pattern, long long a);

// The operator can change the field in the window.
bool Editable(const FieldInfo& field);
// The name of the option of that mask; its number when the field has none.
QString Meaning(const FieldInfo& field, std::uint8_t mask);
// The names of the options in the mask, in listing order.
QString MeaningsOf(const FieldInfo& field, std::uint8_t mask, const char* separator = ", ");

// A whole number from a text ("17", "0x11") or a JSON number; nothing for anything else.
std::optional<long long> WholeNumber(const GivenValue& value);
// The value as the operator gave it, for a message.
QString GivenAsText(const GivenValue& value);

// The rules of two kinds: the field's new bytes written into `bytes`, or the problem.
Problem ApplyBits(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes);
Problem ApplyText(const FieldInfo& field, const GivenValue& value, std::span<std::uint8_t> bytes);

} // namespace morvel::change_detail
