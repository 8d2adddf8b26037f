#include "widgets/limited_edit.h"
#include "widgets/notes_memo.h"
#include "widgets/wheel_guard.h"
#include "widgets/windows1250.h"

#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Types text one character at a time as key presses carrying that character (QTest's key
// helpers only know ASCII). A line break is typed as the Return key.
void TypeText(QWidget& target, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString typed(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size())
            typed.append(text[++i]);
        const bool lineBreak = typed == u"\n";
        QKeyEvent press(QEvent::KeyPress, lineBreak ? Qt::Key_Return : Qt::Key_unknown,
                        Qt::NoModifier, lineBreak ? QStringLiteral("\r") : typed);
        QApplication::sendEvent(&target, &press);
    }
}

TEST(Windows1250, IsAvailable)
{
    EXPECT_TRUE(Windows1250Available());
}

struct CodePageCase {
    const char* text;
    bool fits;
    const char* kept;
};

class Windows1250Fit : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(Windows1250Fit, KeepsWhatTheCodePageHolds)
{
    const CodePageCase& c = GetParam();
    EXPECT_EQ(FitsWindows1250(U(c.text)), c.fits);
    EXPECT_EQ(KeepWindows1250(U(c.text)), U(c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Windows1250Fit,
    ::testing::Values(CodePageCase{"Zażółć gęślą jaźń ŻÓŁW", true, "Zażółć gęślą jaźń ŻÓŁW"},
                      CodePageCase{"+48 601 €§", true, "+48 601 €§"},
                      CodePageCase{"ab😀c", false, "abc"},
                      CodePageCase{"Привет x", false, " x"},
                      CodePageCase{"车a", false, "a"},
                      CodePageCase{"", true, ""}));

TEST(Windows1250, CaretMovesLeftByTheCharactersRemovedBeforeIt)
{
    int caret = 5;  // after "a😀b" (4 code units) and one more character
    EXPECT_EQ(KeepWindows1250(U("a😀bcд"), &caret), U("abc"));
    EXPECT_EQ(caret, 3);
}

enum class Entry { Type, Paste };

struct EditCase {
    const char* name;
    int limit;
    const char* programText;  // set by the program first
    int caret;                // where the operator types or pastes; -1 = at the end
    Entry entry;
    const char* entered;
    const char* expected;
};

class LimitedEditEntry : public ::testing::TestWithParam<EditCase> {};

TEST_P(LimitedEditEntry, LimitsAndFiltersWhatTheOperatorEnters)
{
    const EditCase& c = GetParam();
    LimitedEdit edit(c.limit);
    edit.setText(U(c.programText));
    edit.setCursorPosition(c.caret < 0 ? static_cast<int>(edit.text().size()) : c.caret);
    if (c.entry == Entry::Type) {
        TypeText(edit, U(c.entered));
    } else {
        QApplication::clipboard()->setText(U(c.entered));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(edit.text(), U(c.expected));
}

const std::string k40(40, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, LimitedEditEntry,
    ::testing::Values(
        EditCase{"TypingStopsAtTheLimit", 4, "", -1, Entry::Type, "123456", "1234"},
        EditCase{"PasteIsCutAtTheLimit", 4, "", -1, Entry::Paste, "123456", "1234"},
        EditCase{"PasteInTheMiddleKeepsTheTail", 6, "abcd", 2, Entry::Paste, "XYZW", "abXYcd"},
        EditCase{"NoLimitTakesAll", LimitedEdit::kNoLimit, "", -1, Entry::Paste,
                 "a rather long text of more than thirty-five characters",
                 "a rather long text of more than thirty-five characters"},
        EditCase{"PolishLettersPass", 30, "", -1, Entry::Type, "Łódź źle", "Łódź źle"},
        EditCase{"EmojiTypedIsRefused", 30, "ab", -1, Entry::Type, "😀", "ab"},
        EditCase{"CyrillicTypedIsRefused", 30, "", -1, Entry::Type, "жa", "a"},
        EditCase{"PasteDropsForeignCharacters", 30, "", -1, Entry::Paste, "a😀bд车c", "abc"},
        EditCase{"ForeignCharactersDoNotCountAgainstTheLimit", 3, "", -1, Entry::Paste,
                 "😀a😀b😀c😀d", "abc"},
        EditCase{"LongProgramTextCannotGrow", 5, "1234567", -1, Entry::Type, "8", "1234567"},
        EditCase{"LongProgramTextPasteRefused", 5, "1234567", 0, Entry::Paste, "ab", "1234567"}));

TEST(LimitedEdit, ProgramTextIsShownWholeAndCanBeShortened)
{
    LimitedEdit edit(35);
    const QString longText(40, u'x');
    edit.setText(longText);
    EXPECT_EQ(edit.text(), longText);
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text().size(), 39);
    QTest::keyClicks(&edit, "y");
    EXPECT_EQ(edit.text().size(), 39) << "cannot grow past the longer of the limit and its length";
}

struct MemoCase {
    const char* name;
    int limit;
    const char* programText;
    Entry entry;
    const char* entered;
    const char* expected;
};

class NotesMemoEntry : public ::testing::TestWithParam<MemoCase> {};

TEST_P(NotesMemoEntry, KeepsTheStoredSizeWithinTheLimit)
{
    const MemoCase& c = GetParam();
    NotesMemo memo(c.limit);
    memo.setPlainText(U(c.programText));
    memo.moveCursor(QTextCursor::End);
    if (c.entry == Entry::Type) {
        TypeText(memo, U(c.entered));
    } else {
        QApplication::clipboard()->setText(U(c.entered));
        QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(memo.toPlainText(), U(c.expected));
    EXPECT_LE(NotesMemo::StoredSize(memo.toPlainText()), std::max(c.limit, NotesMemo::StoredSize(U(c.programText))));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotesMemoEntry,
    ::testing::Values(
        MemoCase{"TypingStopsAtTheLimit", 5, "", Entry::Type, "abcdefg", "abcde"},
        MemoCase{"LineBreakCountsTwo", 5, "abc", Entry::Type, "\nx", "abc\n"},
        MemoCase{"LineBreakRefusedWithOneByteLeft", 5, "abcd", Entry::Type, "\n", "abcd"},
        MemoCase{"PasteIsCut", 6, "", Entry::Paste, "ab\ncdefgh", "ab\ncd"},
        MemoCase{"PastedWindowsLineBreaksCountTwo", 7, "", Entry::Paste, "a\r\nb\r\ncd", "a\nb\nc"},
        MemoCase{"ForeignCharactersRefused", 20, "", Entry::Paste, "ok😀 да", "ok "},
        MemoCase{"ForeignCharacterTypedRefused", 20, "x", Entry::Type, "д", "x"},
        MemoCase{"PolishLettersPass", 20, "", Entry::Type, "żółw", "żółw"}));

TEST(NotesMemo, StoredSizeCountsLineBreaksAsTwo)
{
    EXPECT_EQ(NotesMemo::StoredSize(U("ab\ncd")), 6);
    EXPECT_EQ(NotesMemo::StoredSize(U("ą")), 1);
    EXPECT_EQ(NotesMemo::StoredSize(QString()), 0);
}

// The window's change rules rely on these two behaviours of the stock controls.
TEST(StockControls, CheckBoxReportsEveryChangeAndOnlyChanges)
{
    QCheckBox box;
    box.setEnabled(false);
    QSignalSpy toggled(&box, &QCheckBox::toggled);
    box.setChecked(true);
    box.setChecked(true);
    box.setChecked(false);
    ASSERT_EQ(toggled.count(), 2);
    EXPECT_TRUE(toggled.at(0).at(0).toBool());
    EXPECT_FALSE(toggled.at(1).at(0).toBool());
}

TEST(StockControls, ComboSelectionFromCodeIsNoOperatorChange)
{
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"a", "b", "c"});
    QSignalSpy activated(&combo, &QComboBox::activated);
    QSignalSpy edited(combo.lineEdit(), &QLineEdit::textEdited);
    combo.setCurrentIndex(2);
    combo.setEditText("typed by code");
    EXPECT_EQ(activated.count(), 0);
    EXPECT_EQ(edited.count(), 0);
    QTest::keyClicks(combo.lineEdit(), "x");
    EXPECT_EQ(edited.count(), 1);
}

TEST(WheelGuard, ComboChangesByWheelOnlyWhenFocused)
{
    QWidget window;
    auto* combo = new QComboBox(&window);
    auto* other = new QLineEdit(&window);
    combo->move(0, 0);
    other->move(0, 40);
    combo->addItems({"a", "b", "c"});
    WheelOnlyWhenFocused(*combo);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy activated(combo, &QComboBox::activated);
    const auto wheelDown = [&] {
        const QPointF centre = QPointF(combo->rect().center());
        QWheelEvent wheel(centre, combo->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
    };
    other->setFocus();
    wheelDown();
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(activated.count(), 0);
    combo->setFocus();
    wheelDown();
    EXPECT_EQ(combo->currentIndex(), 1);
}

} // namespace
} // namespace morvel
