#include "model/short_string.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace morvel {
namespace {

constexpr std::size_t kCapacity = 4;

// A field of capacity 4 between two guard bytes that no operation may touch.
struct Field {
    std::array<std::uint8_t, kCapacity + 3> bytes{0xEE, 0, 0, 0, 0, 0, 0xEE};
    ShortString text{bytes.data() + 1, kCapacity};
    void ExpectGuardsIntact() const
    {
        EXPECT_EQ(bytes.front(), 0xEE);
        EXPECT_EQ(bytes.back(), 0xEE);
    }
};

struct AssignCase {
    std::string text;
    std::size_t length;
    std::string value;
};

class ShortStringAssign : public testing::TestWithParam<AssignCase> {};

TEST_P(ShortStringAssign, StoresLengthCutToCapacityAndCharacters)
{
    Field field;
    field.text.assign(GetParam().text);
    EXPECT_EQ(field.bytes[1], GetParam().length);
    EXPECT_EQ(field.text.length(), GetParam().length);
    EXPECT_EQ(field.text.value(), GetParam().value);
    field.ExpectGuardsIntact();
}

INSTANTIATE_TEST_SUITE_P(Texts, ShortStringAssign,
                         testing::Values(AssignCase{"", 0, ""}, AssignCase{"ab", 2, "ab"},
                                         AssignCase{"abcd", 4, "abcd"}, AssignCase{"abcdef", 4, "abcd"},
                                         AssignCase{std::string("a\0b", 3), 3, std::string("a\0b", 3)}));

TEST(ShortString, AssignKeepsTheStaleTail)
{
    Field field;
    field.text.assign("WXYZ");
    field.text.assign("ab");
    EXPECT_EQ(field.bytes[1], 2);
    EXPECT_EQ(std::string(field.bytes.begin() + 2, field.bytes.begin() + 6), "abYZ");
    field.text.assign("");
    EXPECT_EQ(std::string(field.bytes.begin() + 2, field.bytes.begin() + 6), "abYZ");
    field.ExpectGuardsIntact();
}

TEST(ShortString, AppendGrowsUntilCapacityThenDrops)
{
    Field field;
    field.text.assign("WXYZ");
    field.text.clear();
    field.text.append('1');
    EXPECT_EQ(field.text.value(), "1");
    EXPECT_EQ(std::string(field.bytes.begin() + 2, field.bytes.begin() + 6), "1XYZ");
    for (char c : std::string("2345"))
        field.text.append(c);
    EXPECT_EQ(field.text.value(), "1234");
    EXPECT_EQ(field.bytes[1], 4);
    field.ExpectGuardsIntact();
}

TEST(ShortString, LengthByteBeyondCapacityReadsOnlyTheCapacity)
{
    // A file or a module can hold any length byte; value() must not read the next field.
    Field field;
    field.bytes[1] = 200;
    field.text.append('x');
    EXPECT_EQ(field.text.value(), std::string(kCapacity, '\0'));
    EXPECT_EQ(field.bytes[1], 200);
}

} // namespace
} // namespace morvel
