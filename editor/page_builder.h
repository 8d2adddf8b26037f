#pragma once

#include "editor/field_limits.h"

#include <QString>
#include <QStringList>

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
// A header caption centred over its column, broken between its words onto two lines; screen
// readers still read it as one.
QLabel* NewTwoLineHeader(QWidget* parent, const QString& caption);
// A sunken horizontal line separating two bands.
QFrame* NewSeparator(QWidget* parent);

// Screen readers announce a field by the caption in front of it, not by its group's title:
// `label` becomes the field's buddy (and its accessible name where the two are not siblings),
// and the unit behind the field, if any, its description.
void LabelField(QLabel& label, QWidget& field, const QLabel* unit = nullptr);
// For a field without a label of its own: the captions that tell it apart (its row, its edge,
// its column), read one after the other.
void NameField(QWidget& field, const QStringList& captions);

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
