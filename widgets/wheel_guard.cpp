#include "widgets/wheel_guard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace morvel {

namespace {

class WheelGuard final : public QObject {
public:
    explicit WheelGuard(QWidget& control) : QObject(&control), control_(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &control_ && event->type() == QEvent::Wheel && !control_.hasFocus()) {
            // The control does not see it; the widgets around it do, so a page still scrolls.
            if (QWidget* parent = control_.parentWidget())
                QCoreApplication::sendEvent(parent, event);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& control_;
};

} // namespace

void WheelOnlyWhenFocused(QWidget& control)
{
    control.setFocusPolicy(Qt::StrongFocus);
    control.installEventFilter(new WheelGuard(control));
}

} // namespace morvel
