#pragma once

#include <QPlainTextEdit>

namespace morvel {

// A multi-line notes field kept in a fixed number of bytes, where a line break is stored as
// two (CR LF). The operator cannot type or paste beyond that size (a paste is cut), and
// characters Windows-1250 cannot hold are refused. Text the program sets is shown whole.
class NotesMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NotesMemo(int byteLimit, QWidget* parent = nullptr);

    int ByteLimit() const { return byteLimit_; }

    // The bytes the text takes when stored: one per character, two per line break.
    static int StoredSize(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The part of `typed` that fits in place of the current selection.
    QString FittingPart(const QString& typed) const;
    int byteLimit_;
};

} // namespace morvel
