// The Delete key as X11 delivers it: key Delete with the text DEL (0x7F). It edits, it does not
// type a character, so neither the digit rule of a spin edit nor the size rule of a full notes
// field may swallow it.
#include "widgets/notes_memo.h"
#include "widgets/spin_edit.h"

#include "test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace morvel {
namespace {

void PressDeleteAsX11Does(QWidget& target)
{
    const QString del(QChar(0x7F));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, del);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, del);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

TEST(DeleteKey, RemovesTheDigitAfterTheCaretInASpinEdit)
{
    SpinEdit spin(1, 255);
    spin.SetValue(123);
    spin.findChild<QLineEdit*>()->setCursorPosition(0);
    QSignalSpy refused(&spin, &SpinEdit::KeyRefused);

    PressDeleteAsX11Does(spin);

    EXPECT_EQ(spin.text(), QString("23"));
    EXPECT_EQ(refused.count(), 0);
}

TEST(DeleteKey, RemovesACharacterFromAFullNotesField)
{
    NotesMemo memo(5);
    memo.setPlainText("abcde");
    QTextCursor start = memo.textCursor();
    start.movePosition(QTextCursor::Start);
    memo.setTextCursor(start);

    PressDeleteAsX11Does(memo);

    EXPECT_EQ(memo.toPlainText(), QString("bcde"));
}

} // namespace
} // namespace morvel
