#include "widgets/spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>

#include <algorithm>

namespace morvel {

namespace {

bool IsDigitsOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int DigitCount(int number)
{
    return static_cast<int>(QString::number(number).size());
}

// Keys the field lets through: keys that type nothing (arrows, Delete, Home ...) and the
// control characters except Enter (Backspace, the clipboard shortcuts), plus the digits.
bool IsAcceptedKey(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return false;
    if (event.key() == Qt::Key_Delete)
        return true;  // an editing key, although X11 gives it the text DEL (0x7F)
    const QString typed = event.text();
    if (typed.isEmpty())
        return true;
    if (event.modifiers() & Qt::ControlModifier)
        return true;
    return std::all_of(typed.begin(), typed.end(),
                       [](QChar c) { return c.unicode() < 0x20 || (c >= u'0' && c <= u'9'); });
}

} // namespace

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(minimum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus
    lineEdit()->setMaxLength(DigitCount(maximum));
}

int SpinEdit::MaxDigits() const
{
    return lineEdit()->maxLength();
}

int SpinEdit::ClampedNumber(const QString& text) const
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok);
    if (trimmed.isEmpty() || !ok)
        return minimum();
    return static_cast<int>(std::clamp<qlonglong>(number, minimum(), maximum()));
}

int SpinEdit::Value() const
{
    return ClampedNumber(lineEdit()->text());
}

void SpinEdit::SetValue(int value)
{
    setValue(std::clamp(value, minimum(), maximum()));
}

QValidator::State SpinEdit::validate(QString& input, int& /*pos*/) const
{
    if (!IsDigitsOnly(input))
        return QValidator::Invalid;
    if (input.isEmpty())
        return QValidator::Intermediate;
    const int number = input.toInt();
    return number >= minimum() && number <= maximum() ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
}

void SpinEdit::fixup(QString& input) const
{
    input = QString::number(ClampedNumber(input));
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (!IsAcceptedKey(*event)) {
        QApplication::beep();
        event->accept();
        emit KeyRefused();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    // Bring the typed number into range before the spin box interprets the text, so that
    // leaving the field with 300 in a 1..255 field shows 255 rather than the previous value.
    SetValue(Value());
    QSpinBox::focusOutEvent(event);
}

void SpinEdit::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();  // let the page scroll
        return;
    }
    QSpinBox::wheelEvent(event);
}

} // namespace morvel
