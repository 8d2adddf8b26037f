#pragma once

#include "editor/field_limits.h"

#include <QString>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace morvel {

class LimitedEdit;
class NotesMemo;
class SpinEdit;

// Small factories the page builders share: each control gets its object name (the name the
// binding, the rules and the dialogs look it up by) and its caption in one place.
LimitedEdit* NewEdit(QWidget* parent, const char* name, int limit);
NotesMemo* NewMemo(QWidget* parent, const char* name, int byteLimit);
SpinEdit* NewSpinEdit(QWidget* parent, const char* name, field_limit::Range range);
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption);
QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption);
QGroupBox* NewGroupBox(QWidget* parent, const char* name, const QString& caption);
// A label; `name` may be null for labels nothing refers to.
QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name = nullptr);
// A header caption that may wrap onto a second line, centred over its column.
QLabel* NewHeader(QWidget* parent, const QString& caption);
// A sunken horizontal line separating two bands.
QFrame* NewSeparator(QWidget* parent);

// Tight margins and spacing for the layout of a group box: the pages must fit the window.
template <typename Layout>
Layout* Compact(Layout* layout)
{
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(3);
    return layout;
}

// UTF-8 source text to QString.
inline QString Caption(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace morvel
