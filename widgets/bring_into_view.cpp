#include "widgets/bring_into_view.h"

#include <QScrollArea>
#include <QTabWidget>

namespace morvel {

void BringIntoView(QWidget& control)
{
    // The pages first: a scroll area can place only a control that is shown.
    for (QWidget* inner = &control; inner->parentWidget(); inner = inner->parentWidget()) {
        // A tab widget holds its pages in a stack of its own: the page's parent's parent.
        QWidget* stack = inner->parentWidget();
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
            const int page = tabs->indexOf(inner);
            if (page >= 0)
                tabs->setCurrentIndex(page);
        }
    }
    for (QWidget* outer = control.parentWidget(); outer; outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer))
            area->ensureWidgetVisible(&control);
    }
}

} // namespace morvel
