#include "rules_fixture.h"
#include "test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel::test {
namespace {

struct TypingCase {
    const char* what;
    const char* field;
    const char* before;
    int caret;
    const char* typed;
    const char* after;
};

void PrintTo(const TypingCase& c, std::ostream* out) { *out << c.field << ": " << c.what; }

class KeyRuleTest : public ::testing::TestWithParam<TypingCase> {
protected:
    void SetUp() override { tree.WireUp(); }
    ControlTree tree;
};

TEST_P(KeyRuleTest, TypingLeavesTheExpectedText)
{
    const TypingCase& c = GetParam();
    auto& field = tree.Get<QLineEdit>(c.field);
    field.setText(QString::fromUtf8(c.before));
    field.setCursorPosition(c.caret);
    QTest::keyClicks(&field, QString::fromUtf8(c.typed));
    EXPECT_EQ(field.text(), QString::fromUtf8(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyRuleTest,
    ::testing::Values(
        TypingCase{"plus then digits", "Enruser1", "", 0, "+48601", "+48601"},
        TypingCase{"minus as the sign", "Enruser1", "", 0, "-5", "-5"},
        TypingCase{"second sign refused", "Enruser1", "+48", 0, "+-", "+48"},
        TypingCase{"sign refused behind the text", "Enruser1", "+48", 3, "-+", "+48"},
        TypingCase{"sign behind one digit", "Enruser1", "4", 1, "+", "4+"},
        TypingCase{"sign refused at caret 2", "Enruser1", "48", 2, "+-", "48"},
        TypingCase{"letters and blanks refused", "Enruser1", "", 0, "a1 b2", "12"},
        TypingCase{"blank in the text: a digit starts afresh", "Enruser1", "+48 601", 7, "7", "7"},
        TypingCase{"blank in the text: a letter clears and is refused", "Enruser1", "+48 601", 3, "x", ""},
        TypingCase{"blank in the text: a sign starts afresh", "Enruser1", "48 601", 6, "+", "+"},
        TypingCase{"other numbers take anything", "Enruser2", "", 0, "ab c+", "ab c+"},
        TypingCase{"PIN takes digits only", "EPin", "", 0, "1a+-2 3$4", "1234"},
        TypingCase{"access code takes letters", "EPINMOD", "", 0, "ab1", "ab1"}));

// Delete edits without typing (X11 gives the key the text DEL, 0x7F): the key rules let it act, and
// the blank rule of the user-1 number does not clear the field for it.
TEST(KeyRuleDeleteTest, DeleteRemovesTheCharacterAfterTheCaret)
{
    ControlTree tree;
    tree.WireUp();
    for (const char* name : {"EPin", "Enruser1"}) {
        auto& field = tree.Get<QLineEdit>(name);
        field.setText("12 34");
        field.setCursorPosition(0);
        const QString del(QChar(0x7F));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, del);
        QApplication::sendEvent(&field, &press);
        EXPECT_EQ(field.text(), QString("2 34")) << name;
    }
}

struct FocusCase {
    const char* from;
    const char* to;
    Qt::Key key;
};

void PrintTo(const FocusCase& c, std::ostream* out) { *out << c.from << (c.key == Qt::Key_Tab ? " Tab" : " Enter"); }

class KeyRuleFocusTest : public ::testing::TestWithParam<FocusCase> {};

// Enter is discarded and moves the focus on, Tab only passes through; neither clears a number
// that holds a blank.
TEST_P(KeyRuleFocusTest, KeyMovesTheFocusOnAndKeepsTheText)
{
    const FocusCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    ASSERT_TRUE(tree.ShowActive());
    auto& field = tree.Get<QLineEdit>(c.from);
    field.setText("12 3");
    field.setFocus();
    ASSERT_TRUE(ProcessEventsUntil([&] { return field.hasFocus(); }));

    QTest::keyClick(&field, c.key);

    EXPECT_EQ(field.text(), "12 3");
    EXPECT_EQ(QApplication::focusWidget(), &tree.Get<QWidget>(c.to));
}

INSTANTIATE_TEST_SUITE_P(Fields, KeyRuleFocusTest,
                         ::testing::Values(FocusCase{"Enruser1", "Eosoba1", Qt::Key_Return},
                                           FocusCase{"EPin", "CBcentrum", Qt::Key_Return},
                                           FocusCase{"Enruser1", "Eosoba1", Qt::Key_Tab},
                                           FocusCase{"EPin", "CBcentrum", Qt::Key_Tab}));

struct PasteCase {
    const char* field;
    const char* before;
    int caret;
    const char* pasted;
    const char* after;
};

void PrintTo(const PasteCase& c, std::ostream* out) { *out << c.field << " \"" << c.pasted << '"'; }

class PasteRuleTest : public ::testing::TestWithParam<PasteCase> {};

// A paste from the context menu takes the characters the rule would take if they were typed.
TEST_P(PasteRuleTest, PastedTextPassesTheKeyRule)
{
    const PasteCase& c = GetParam();
    ControlTree tree;
    tree.WireUp();
    auto& field = tree.Get<QLineEdit>(c.field);
    field.setText(QString::fromUtf8(c.before));
    field.setCursorPosition(c.caret);
    QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
    field.paste();
    const QString expected = QString::fromUtf8(c.after);
    ProcessEventsUntil([&] { return field.text() == expected; }, std::chrono::milliseconds(500));
    EXPECT_EQ(field.text(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteRuleTest,
    ::testing::Values(PasteCase{"EPin", "", 0, "12ab+3", "123"}, PasteCase{"EPin", "1", 1, "-9", "19"},
                      PasteCase{"Enruser1", "", 0, "+48 601-2", "+486012"},
                      PasteCase{"Enruser1", "48", 2, "+1", "481"},
                      PasteCase{"Enruser1", "12 34", 5, "5", "5"},
                      PasteCase{"Enruser2", "", 0, "a +b", "a +b"}));

TEST(KeyRuleClipboard, PasteShortcutIsRefusedInTheFilteredFields)
{
    ControlTree tree;
    tree.WireUp();
    QApplication::clipboard()->setText("12ab");
    for (const char* name : {"Enruser1", "EPin"}) {
        auto& field = tree.Get<QLineEdit>(name);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field.text(), "") << name;
    }
    auto& unfiltered = tree.Get<QLineEdit>("Enruser2");
    QTest::keyClick(&unfiltered, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(unfiltered.text(), "12ab") << "the clipboard holds the text";
}

} // namespace
} // namespace morvel::test
