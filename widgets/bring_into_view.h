#pragma once

class QWidget;

namespace morvel {

// Shows the control to the operator: every page of a tab widget that holds it comes to the
// front, and every scroll area around it scrolls until it is in view.
void BringIntoView(QWidget& control);

} // namespace morvel
