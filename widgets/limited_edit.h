#pragma once

#include <QLineEdit>

namespace morvel {

// A one-line text field whose text reaches the record:
// - the operator cannot type or paste beyond the limit (in characters); the part of a paste
//   that does not fit is cut off without a message;
// - text the program puts in is shown whole, also when it is longer than the limit; such a
//   text can be shortened but not lengthened by the operator;
// - characters Windows-1250 cannot hold are refused where typed or pasted.
// QLineEdit's own maxLength is not used because it also cuts what the program sets.
class LimitedEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kNoLimit = 0;

    explicit LimitedEdit(int limit = kNoLimit, QWidget* parent = nullptr);

    int Limit() const { return limit_; }

protected:
    // The operator's ways of changing the text. The rule applies only inside them, because
    // QLineEdit also validates what setText() puts in.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;  // middle-button paste

private:
    class Rule;
    template <typename Handler>
    void AsOperator(Handler handler);

    int limit_;
    int operatorDepth_ = 0;
    QString lastText_;  // the text before the operator's change being validated
};

} // namespace morvel
