#include "editor/interlocks.h"
#include "rules_fixture.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <vector>

namespace morvel::test {
namespace {

struct FlagCase {
    const char* box;
    std::vector<const char*> governed;
    std::vector<const char*> emptied; // edits emptied while the option is off
    std::vector<const char*> kept;    // spin edits that keep their value while greyed
};

void PrintTo(const FlagCase& c, std::ostream* out) { *out << c.box; }

class OutputFlagTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(OutputFlagTest, ClearingGreysAndEmptiesTickingEnables)
{
    const FlagCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    auto& box = tree.Get<QCheckBox>(c.box);
    box.setChecked(true);
    for (const char* name : c.emptied)
        tree.Get<QLineEdit>(name).setText("ab");
    for (const char* name : c.kept)
        tree.Get<SpinEdit>(name).SetValue(20);

    box.setChecked(false);
    for (const char* name : c.governed)
        EXPECT_FALSE(tree.Get<QWidget>(name).isEnabled()) << name;
    for (const char* name : c.emptied)
        EXPECT_EQ(tree.Get<QLineEdit>(name).text(), "") << name;
    for (const char* name : c.kept)
        EXPECT_EQ(tree.Get<SpinEdit>(name).Value(), 20) << name;

    box.setChecked(true);
    for (const char* name : c.governed)
        EXPECT_TRUE(tree.Get<QWidget>(name).isEnabled()) << name;
    for (const char* name : c.emptied)
        EXPECT_EQ(tree.Get<QLineEdit>(name).text(), "") << name << " stays empty";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, OutputFlagTest,
    ::testing::Values(
        FlagCase{"ChBFlags_0", {"Label43", "Label45", "EZalWy1", "EwylWy1"}, {"EZalWy1", "EwylWy1"}, {}},
        FlagCase{"ChBFlags_1", {"Label44", "Label46", "EZalWy2", "EwylWy2"}, {"EZalWy2", "EwylWy2"}, {}},
        FlagCase{"ChBFlags_2", {"Label24", "SEWy_offTimer1", "Label47"}, {}, {"SEWy_offTimer1"}},
        FlagCase{"ChBFlags_3", {"Label25", "SEWy_offTimer2", "Label48"}, {}, {"SEWy_offTimer2"}},
        FlagCase{"ChBFlags_4", {"SEtestokr"}, {}, {"SEtestokr"}},
        FlagCase{"ChBFlags_5", {"EPINMOD", "Label28"}, {"EPINMOD"}, {}}));

// Called directly, as the loaders do, a handler brings the controls in line with a box that kept
// its state, and touches only its own controls.
TEST(OutputFlagHandlers, DirectCallAppliesTheBoxAsItStands)
{
    ControlTree tree;
    tree.WireUp();
    tree.Get<QLineEdit>("EZalWy1").setText("on");
    tree.Get<QLineEdit>("EZalWy2").setText("up");
    ChBFlags_0Click(tree.window());
    EXPECT_FALSE(tree.Get<QLineEdit>("EZalWy1").isEnabled());
    EXPECT_EQ(tree.Get<QLineEdit>("EZalWy1").text(), "");
    EXPECT_TRUE(tree.Get<QLineEdit>("EZalWy2").isEnabled());
    EXPECT_EQ(tree.Get<QLineEdit>("EZalWy2").text(), "up");
}

} // namespace
} // namespace morvel::test
