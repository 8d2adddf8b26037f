#pragma once

#include "model/sms_centres.h"

#include <QChar>
#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace morvel {

class MessageBoxes;

// CBcentrum lists the presets (model/sms_centres.h), then "Own ", which stands for a number the
// operator types into Ecsms.
inline constexpr const char* kOwnSmsCentreEntry = "Own ";
inline constexpr int kOwnSmsCentreIndex = 3;

// Decides whether a key typed into a number field goes through: digits, Backspace and Tab always,
// a "+" or "-" only while the text holds no sign marker and the caret stands at 0 or 1, and a
// marker of '$' bars its own sign outright. Returns the key, or the null character to discard it.
QChar FilterKey(const QString& text, int caret, QChar key, QChar plusMarker, QChar minusMarker);

// The key rules of the user-1 number and the SIM PIN. `key` is the character typed (Enter is
// '\r'); the result is the character to let through or null. Enter moves the focus onwards.
QChar Enruser1KeyPress(QLineEdit& field, QChar key);
QChar EPinKeyPress(QLineEdit& field, QChar key);

// The checks made when the operator leaves a field: on failure a "Uwaga" box, and true.
bool EPinExit(QLineEdit& field, QWidget& window, MessageBoxes& boxes);
bool EZalWy1Exit(QLineEdit& field, QWidget& window, MessageBoxes& boxes);

// Fills CBcentrum with the presets and "Own ", and selects "PLUS" (raising no change).
void FillSmsCentres(QComboBox& centres);

// Copies the number of the chosen preset into Ecsms, or empties Ecsms for "Own ". When the text
// the operator typed names no entry, Ecsms keeps its text.
void CBcentrumChange(QWidget& window);

// Binds the rules above to the window's controls: the key rules of Enruser1 and EPin (text pasted
// or dropped there passes the same rule character by character), the exit checks of EPin, EPINMOD
// and the four output codes, and the change of CBcentrum (operator picks and typing, never a
// selection made by the program).
void InstallEntryRules(QWidget& window, MessageBoxes& boxes);

} // namespace morvel
