#include "editor/entry_rules.h"
#include "rules_fixture.h"
#include "test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel::test {
namespace {

class SmsCentreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.WireUp();
        CBcentrumChange(tree.window()); // as start-up does right after filling the list
    }

    // Moves the selection with the arrow keys, as the operator does without opening the list.
    void Pick(int index)
    {
        while (centres.currentIndex() < index)
            QTest::keyClick(&centres, Qt::Key_Down);
        while (centres.currentIndex() > index)
            QTest::keyClick(&centres, Qt::Key_Up);
    }

    ControlTree tree;
    QComboBox& centres = tree.Get<QComboBox>("CBcentrum");
    QLineEdit& number = tree.Get<QLineEdit>("Ecsms");
};

TEST_F(SmsCentreTest, ListsThePresetsThenOwnAndStartsOnPlus)
{
    ASSERT_EQ(centres.count(), 4);
    const char* const entries[] = {"PLUS", "ERA", "IDEA", "Own "};
    const char* const numbers[] = {"+48601000310", "+48602951111", "+48501200777", ""};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(centres.itemText(i), entries[i]);
        EXPECT_EQ(centres.itemData(i).toString(), numbers[i]);
    }
    EXPECT_EQ(centres.currentIndex(), 0);
    EXPECT_EQ(number.text(), "+48601000310");
}

TEST_F(SmsCentreTest, OperatorPicksCopyThePresetOrEmptyForOwn)
{
    struct Step {
        int index;
        const char* number;
    };
    for (const Step step : {Step{1, "+48602951111"}, Step{2, "+48501200777"}, Step{3, ""}, Step{0, "+48601000310"}}) {
        number.setText("+48999");
        Pick(step.index);
        EXPECT_EQ(number.text(), step.number) << "entry " << step.index;
    }
}

TEST_F(SmsCentreTest, SelectionByTheProgramLeavesTheNumber)
{
    number.setText("+48999");
    centres.setCurrentIndex(1);
    centres.setCurrentIndex(3);
    EXPECT_EQ(number.text(), "+48999");
}

TEST_F(SmsCentreTest, TypedTextCopiesOnlyWhenItNamesAnEntry)
{
    number.setText("+48999");
    centres.lineEdit()->clear();
    QTest::keyClicks(centres.lineEdit(), "xyz");
    EXPECT_EQ(number.text(), "+48999");

    centres.lineEdit()->selectAll();
    QTest::keyClicks(centres.lineEdit(), "IDEA");
    EXPECT_EQ(number.text(), "+48501200777");
}

} // namespace
} // namespace morvel::test
