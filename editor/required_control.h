#pragma once

#include "widgets/control_lookup.h"

#include <QString>

#include <stdexcept>

namespace morvel {

// The control of that name and kind below `window`. The binding, the rules and the interlocks
// name every control they touch; a name that finds nothing is a fault of the program, reported
// at once rather than leaving a setting silently unbound.
template <typename Control>
Control& RequireControl(const QObject& window, const QString& name)
{
    Control* control = FindControl<Control>(window, name);
    if (!control)
        throw std::logic_error("The window has no control named " + name.toStdString() + " of the expected kind");
    return *control;
}

} // namespace morvel
