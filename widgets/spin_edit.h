#pragma once

#include <QSpinBox>

namespace morvel {

// An integer field with a range, as the settings pages use it:
// - only digits and control keys other than Enter can be typed; other keys beep and do nothing;
// - a number outside the range may be typed; it is brought to the nearer bound when the field
//   loses the focus or when the program sets a value;
// - Value() reads the number the text shows brought into the range, and empty or unreadable
//   text as the minimum, so a value stored while the field still has the focus is never
//   wrapped around.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    int Value() const;          // what a store pass takes from the field
    void SetValue(int value);   // what a load pass puts into it; clamped into the range

    // (validate/fixup/keyPressEvent/focusOutEvent overrides are private to the implementation)
};

} // namespace morvel
