#pragma once

class QWidget;

namespace morvel {

// The five pages of the editor. Each returns its tab sheet (named TabSheet1..TabSheet5) with
// every control of the page, named as the binding, the rules and the dialogs look them up.
// The pages connect nothing: the window binds the events.
QWidget* BuildBasicPage();       // TabSheet1 "Basic"
QWidget* BuildNumbersPage();     // TabSheet2 "Telephone numbers"
QWidget* BuildInputsPage();      // TabSheet3 "Inputs"
QWidget* BuildSpecialPage();     // TabSheet4 "Special Inputs"
QWidget* BuildOutputsPage();     // TabSheet5 "Outputs"

} // namespace morvel
