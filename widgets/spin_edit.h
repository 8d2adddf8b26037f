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
// The field takes at most as many characters as its maximum has digits. The mouse wheel steps
// the value only while the field has the focus, so that scrolling a page over the field does
// not change a setting.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    int Value() const;          // what a store pass takes from the field
    void SetValue(int value);   // what a load pass puts into it; clamped into the range

    int MaxDigits() const;      // the most characters the operator can type

signals:
    // A key was refused (and the beep sounded). Lets tests and callers observe the refusal.
    void KeyRefused();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int ClampedNumber(const QString& text) const;
};

} // namespace morvel
