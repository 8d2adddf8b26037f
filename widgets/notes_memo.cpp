#include "widgets/notes_memo.h"

#include "widgets/windows1250.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace morvel {

namespace {

// A QPlainTextEdit hands out line breaks as U+2029 inside a selection and '\n' in plain text;
// the store pass writes either as CR LF.
bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

QString NormalisedLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

NotesMemo::NotesMemo(int byteLimit, QWidget* parent)
    : QPlainTextEdit(parent), byteLimit_(byteLimit)
{
}

int NotesMemo::StoredSize(const QString& text)
{
    int size = 0;
    for (QChar c : text)
        size += IsLineBreak(c) ? 2 : 1;
    return size;
}

void NotesMemo::ShowLoaded(const QString& text, std::string bytes)
{
    setPlainText(text);
    loaded_ = Loaded{document()->toRawText(), std::move(bytes)};
}

std::optional<std::string> NotesMemo::UneditedBytes() const
{
    if (loaded_ && document()->toRawText() == loaded_->text)
        return loaded_->bytes;
    return std::nullopt;
}

QString NotesMemo::FittingPart(const QString& typed) const
{
    const QTextCursor cursor = textCursor();
    const int kept = StoredSize(toPlainText()) - StoredSize(cursor.selectedText());
    int room = byteLimit_ - kept;
    QString fitting;
    for (QChar c : KeepWindows1250(NormalisedLineBreaks(typed))) {
        const int size = IsLineBreak(c) ? 2 : 1;
        if (size > room)
            break;
        fitting.append(c);
        room -= size;
    }
    return fitting;
}

void NotesMemo::keyPressEvent(QKeyEvent* event)
{
    const bool isEnter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = isEnter ? QStringLiteral("\n") : event->text();
    // Delete edits rather than types, although X11 gives it the text DEL (0x7F).
    const bool typesText = isEnter || (!typed.isEmpty() && typed.at(0).unicode() >= 0x20
                                       && event->key() != Qt::Key_Delete
                                       && !(event->modifiers() & Qt::ControlModifier));
    if (typesText) {
        const QString fitting = FittingPart(typed);
        if (fitting.isEmpty()) {
            event->accept();  // refused: over the size or outside the code page
            return;
        }
        if (fitting != typed) {
            textCursor().insertText(fitting);
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void NotesMemo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString fitting = FittingPart(source->text());
    if (!fitting.isEmpty())
        textCursor().insertText(fitting);
    ensureCursorVisible();
}

void NotesMemo::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        QInputMethodEvent fitted(event->preeditString(), event->attributes());
        fitted.setCommitString(FittingPart(event->commitString()), event->replacementStart(),
                               event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&fitted);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

} // namespace morvel
