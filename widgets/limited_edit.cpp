#include "widgets/limited_edit.h"

#include "widgets/windows1250.h"

#include <QValidator>

#include <algorithm>

namespace morvel {

// The validator sees the text as it would be after the operator's change. It may rewrite that
// text, and QLineEdit then takes the rewritten text; that is how a paste is cut rather than
// refused as a whole.
class LimitedEdit::Rule final : public QValidator {
public:
    explicit Rule(LimitedEdit& edit) : QValidator(&edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override
    {
        if (edit_.operatorDepth_ == 0)
            return Acceptable;  // text put in by the program is taken whole
        const QString& before = edit_.lastText_;
        QString candidate = KeepWindows1250(input, &pos);
        if (edit_.limit_ != kNoLimit) {
            const qsizetype allowed = std::max<qsizetype>(edit_.limit_, before.size());
            const qsizetype excess = candidate.size() - allowed;
            if (excess > 0) {
                // The inserted characters end at the caret: drop the last of them.
                const qsizetype cutAt = std::max<qsizetype>(0, pos - excess);
                candidate.remove(cutAt, excess);
                pos = static_cast<int>(cutAt);
            }
        }
        if (candidate != input && candidate == before)
            return Invalid;  // nothing of the change survives: refuse the key
        input = candidate;
        return Acceptable;
    }

private:
    LimitedEdit& edit_;
};

LimitedEdit::LimitedEdit(int limit, QWidget* parent)
    : QLineEdit(parent), limit_(limit)
{
    setValidator(new Rule(*this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lastText_ = text; });
}

template <typename Handler>
void LimitedEdit::AsOperator(Handler handler)
{
    ++operatorDepth_;
    handler();
    --operatorDepth_;
}

void LimitedEdit::keyPressEvent(QKeyEvent* event)
{
    AsOperator([&] { QLineEdit::keyPressEvent(event); });
}

void LimitedEdit::inputMethodEvent(QInputMethodEvent* event)
{
    AsOperator([&] { QLineEdit::inputMethodEvent(event); });
}

void LimitedEdit::dropEvent(QDropEvent* event)
{
    AsOperator([&] { QLineEdit::dropEvent(event); });
}

void LimitedEdit::contextMenuEvent(QContextMenuEvent* event)
{
    AsOperator([&] { QLineEdit::contextMenuEvent(event); });
}

void LimitedEdit::mouseReleaseEvent(QMouseEvent* event)
{
    AsOperator([&] { QLineEdit::mouseReleaseEvent(event); });
}

} // namespace morvel
