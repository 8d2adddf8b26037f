#pragma once

#include <QPlainTextEdit>

#include <optional>
#include <string>

namespace morvel {

// A multi-line notes field kept in a fixed number of bytes, where a line break is stored as
// two (CR LF). The operator cannot type or paste beyond that size (a paste is cut), and
// characters Windows-1250 cannot hold are refused. Text the program sets is shown whole.
//
// Notes written by other programs may break their lines with a lone LF or CR, or hold bytes
// the field cannot show. So that such notes survive a load and a save untouched, the memo keeps
// the bytes it was loaded from for as long as it shows the text loaded from them.
class NotesMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NotesMemo(int byteLimit, QWidget* parent = nullptr);

    int ByteLimit() const { return byteLimit_; }

    // The bytes the text takes when stored: one per character, two per line break.
    static int StoredSize(const QString& text);

    // Shows `text`, read from the stored `bytes`, and keeps those bytes.
    void ShowLoaded(const QString& text, std::string bytes);
    // The bytes the memo was loaded from, while it still shows the text loaded; nothing once the
    // text differs (edited, or replaced by the program).
    std::optional<std::string> UneditedBytes() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The part of `typed` that fits in place of the current selection.
    QString FittingPart(const QString& typed) const;
    int byteLimit_;
    struct Loaded {
        QString text;  // the document's raw text right after the load
        std::string bytes;
    };
    std::optional<Loaded> loaded_;
};

} // namespace morvel
