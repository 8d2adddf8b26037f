#include "rules_fixture.h"
#include "test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel::test {
namespace {

const char* const kPinMessage = "Kod pin musi mieć 4 znaki.";
const char* const kCodeMessage = "Sms sterujący musi mieć formę dwóch znaków";

struct ExitCase {
    const char* field;
    const char* text;
    const char* message; // nullptr: leaving is silent
};

void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.field << " \"" << c.text << '"'; }

class ExitCheckTest : public ::testing::TestWithParam<ExitCase> {
protected:
    void SetUp() override
    {
        tree.WireUp();
        ASSERT_TRUE(tree.ShowActive());
    }

    // Puts the text into the field and leaves it with Tab, as the operator does.
    void TypeAndLeave(QLineEdit& field, const QString& text)
    {
        field.setFocus();
        ASSERT_TRUE(ProcessEventsUntil([&] { return field.hasFocus(); }));
        field.setText(text);
        QTest::keyClick(&field, Qt::Key_Tab);
        QTest::qWait(20); // the check runs once the focus change has finished
    }

    ControlTree tree;
};

TEST_P(ExitCheckTest, WarnsAndKeepsTheFocusOrLetsGo)
{
    const ExitCase& c = GetParam();
    auto& field = tree.Get<QLineEdit>(c.field);
    TypeAndLeave(field, QString::fromUtf8(c.text));

    EXPECT_EQ(field.text(), QString::fromUtf8(c.text));
    if (c.message) {
        ASSERT_EQ(tree.boxes.shown.size(), 1u);
        EXPECT_EQ(tree.boxes.shown[0].caption, "Uwaga");
        EXPECT_EQ(tree.boxes.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_TRUE(field.hasFocus());
    } else {
        EXPECT_TRUE(tree.boxes.shown.empty());
        EXPECT_FALSE(field.hasFocus());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ExitCheckTest,
    ::testing::Values(ExitCase{"EPin", "", nullptr}, ExitCase{"EPin", "1", kPinMessage},
                      ExitCase{"EPin", "12", kPinMessage}, ExitCase{"EPin", "123", kPinMessage},
                      ExitCase{"EPin", "1234", nullptr}, ExitCase{"EPINMOD", "ab", kPinMessage},
                      ExitCase{"EPINMOD", "ab12", nullptr}, ExitCase{"EPINMOD", "", nullptr},
                      ExitCase{"EZalWy1", "a", kCodeMessage}, ExitCase{"EwylWy1", "ab", nullptr},
                      ExitCase{"EZalWy2", "", nullptr}, ExitCase{"EwylWy2", "x", kCodeMessage},
                      ExitCase{"EwylWy2", "xy", nullptr}, ExitCase{"Ecsms", "1", nullptr}));

// Two wrong fields next to each other: the focus goes back to the one that was left, and the one it
// had reached for a moment is not checked, so the focus does not bounce between them.
TEST_F(ExitCheckTest, ReturningTheFocusDoesNotCheckTheFieldItLeavesAgain)
{
    auto& next = tree.Get<QLineEdit>("EwylWy1");
    next.setText("y");
    TypeAndLeave(tree.Get<QLineEdit>("EZalWy1"), "x");
    QTest::qWait(20);
    EXPECT_EQ(tree.boxes.shown.size(), 1u);
    EXPECT_TRUE(tree.Get<QLineEdit>("EZalWy1").hasFocus());
}

} // namespace
} // namespace morvel::test
