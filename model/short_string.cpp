#include "model/short_string.h"

#include <algorithm>

namespace morvel {

ShortString::ShortString(std::uint8_t* field, std::size_t capacity) : field_(field), capacity_(capacity) {}

std::size_t ShortString::length() const
{
    return field_[0];
}

void ShortString::assign(std::string_view text)
{
    const std::size_t length = std::min(text.size(), capacity_);
    field_[0] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, field_ + 1);
}

void ShortString::append(char c)
{
    const std::size_t length = field_[0];
    if (length >= capacity_)
        return;
    field_[1 + length] = static_cast<std::uint8_t>(c);
    field_[0] = static_cast<std::uint8_t>(length + 1);
}

std::string ShortString::value() const
{
    return ShortStringValue(field_, capacity_);
}

std::string ShortStringValue(const std::uint8_t* field, std::size_t capacity)
{
    const std::size_t length = std::min<std::size_t>(field[0], capacity);
    return std::string(reinterpret_cast<const char*>(field + 1), length);
}

} // namespace morvel
