#include "editor/binding.h"
#include "rules_fixture.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <set>

namespace morvel::test {
namespace {

constexpr std::size_t kClipUserFlagsByte = 38;
constexpr std::size_t kClipUnknownFlagsByte = 39;

struct Family {
    const char* prefix;
    std::size_t byte;
};
const Family kFamilies[] = {{"ChbClipVerif", kClipUserFlagsByte}, {"ChBClipNotVerif", kClipUnknownFlagsByte}};

// The other two actions on the same output: 0, 2, 4 act on output 1 and 1, 3, 5 on output 2.
std::set<int> PartnersOf(int digit)
{
    const int output = digit % 2;
    std::set<int> group{output, output + 2, output + 4};
    group.erase(digit);
    return group;
}

QCheckBox& Box(ControlTree& tree, const char* prefix, int digit)
{
    return tree.Get<QCheckBox>(QString::fromLatin1(prefix) + QString::number(digit));
}

class ClipClickTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

// Ticking a box greys its two partners in its own family and nothing else; clearing it frees them.
TEST_P(ClipClickTest, TickingGreysOnlyThePartners)
{
    const auto [familyIndex, digit] = GetParam();
    ControlTree tree;
    tree.WireUp();
    Box(tree, kFamilies[familyIndex].prefix, digit).click();

    const std::set<int> partners = PartnersOf(digit);
    for (const Family& family : kFamilies) {
        for (int other = 0; other <= 7; ++other) {
            const bool greyed = family.prefix == kFamilies[familyIndex].prefix && partners.count(other);
            EXPECT_EQ(Box(tree, family.prefix, other).isEnabled(), !greyed) << family.prefix << other;
        }
    }
    Box(tree, kFamilies[familyIndex].prefix, digit).click();
    for (const Family& family : kFamilies)
        for (int other = 0; other <= 7; ++other)
            EXPECT_TRUE(Box(tree, family.prefix, other).isEnabled()) << family.prefix << other;
}

INSTANTIATE_TEST_SUITE_P(EveryBox, ClipClickTest, ::testing::Combine(::testing::Values(0, 1), ::testing::Range(0, 6)));

// A record holding several actions for one output: the boxes are set in bit order and each change
// runs its interlock, so the last action of a group wins and the state is what is stored next.
struct CascadeCase {
    std::uint8_t loaded;
    std::uint8_t ticked;  // boxes 0..7 ticked afterwards
    std::uint8_t enabled; // boxes 0..7 enabled afterwards
};

void PrintTo(const CascadeCase& c, std::ostream* out) { *out << "loaded 0x" << std::hex << int(c.loaded); }

class ClipCascadeTest : public ::testing::TestWithParam<std::tuple<int, CascadeCase>> {};

TEST_P(ClipCascadeTest, LoadingContradictoryBitsEndsInTheCascadeState)
{
    const auto [familyIndex, c] = GetParam();
    const Family& family = kFamilies[familyIndex];
    ControlTree tree;
    tree.WireUp();
    TSettingsRecord record;
    record.bytes[family.byte] = c.loaded;
    LoadBasicTab(tree.window(), record);

    for (int digit = 0; digit <= 7; ++digit) {
        EXPECT_EQ(Box(tree, family.prefix, digit).isChecked(), bool((c.ticked >> digit) & 1)) << "box " << digit;
        EXPECT_EQ(Box(tree, family.prefix, digit).isEnabled(), bool((c.enabled >> digit) & 1)) << "box " << digit;
    }
    TSettingsRecord stored = record;
    StoreBasicTab(tree.window(), stored);
    EXPECT_EQ(stored.bytes[family.byte], c.ticked);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ClipCascadeTest,
    ::testing::Combine(::testing::Values(0, 1),
                       ::testing::Values(CascadeCase{0x05, 0x04, 0xEE},   // enable + disable output 1
                                         CascadeCase{0x14, 0x10, 0xFB},   // disable + change output 1
                                         CascadeCase{0x11, 0x10, 0xFA},   // enable + change output 1
                                         CascadeCase{0x15, 0x10, 0xFB},   // all three for output 1
                                         CascadeCase{0x2A, 0x20, 0xF7},   // all three for output 2
                                         CascadeCase{0x09, 0x09, 0xC9},   // one action per output
                                         CascadeCase{0xC0, 0xC0, 0xFF}))); // report and bit 7 only

} // namespace
} // namespace morvel::test
