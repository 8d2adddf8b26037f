#pragma once

class QWidget;

namespace morvel {

// Lets the mouse wheel change the control (a combo box's choice) only while it has the focus;
// otherwise the wheel goes to the page around it, which scrolls. The wheel no longer takes the
// focus either. The guard lives as long as the control.
void WheelOnlyWhenFocused(QWidget& control);

} // namespace morvel
