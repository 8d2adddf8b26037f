#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace morvel {

// A view on a text field of the record or the notes block: one length byte followed by exactly
// `capacity` character bytes. Characters are raw Windows-1250 bytes; NUL is an ordinary character.
//
// The module and the settings files carry the bytes after the current length unchanged, so the
// operations never clear them: assign writes only the length byte and the new characters, and
// append to a full string drops the character.
class ShortString {
public:
    ShortString(std::uint8_t* field, std::size_t capacity);

    std::size_t capacity() const { return capacity_; }
    // The stored length byte, which may exceed the capacity in a record read from a file or a
    // module; value() never reads past the capacity.
    std::size_t length() const;

    void assign(std::string_view text);
    void append(char c);
    void clear() { assign({}); }

    // The first `length` characters (at most `capacity`), NUL bytes included.
    std::string value() const;

private:
    std::uint8_t* field_;
    std::size_t capacity_;
};

// Reads the value of a short string that is not to be changed.
std::string ShortStringValue(const std::uint8_t* field, std::size_t capacity);

} // namespace morvel
