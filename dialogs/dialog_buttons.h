#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace morvel {

// The OK and Cancel buttons both reaction dialogs share. OK (BitBtn1) is the default button and
// accepts the dialog; Cancel (BitBtn2) rejects it, as Esc and the close box do.
QPushButton* NewOkButton(QDialog* dialog);
QPushButton* NewCancelButton(QDialog* dialog);
// Cancel on the left, OK on the right.
QHBoxLayout* CancelAndOkRow(QPushButton& cancel, QPushButton& ok);

} // namespace morvel
