#pragma once

#include <QObject>
#include <QString>

// Finds a control below `root` by its object name, ignoring letter case. Control names are
// composed at run time from a prefix and numbers ("ChbClipNotVerif" + "1" finds
// ChBClipNotVerif1), so the lookup must not depend on how the prefix is capitalised.
// Returns nullptr when no child of that name and type exists.
template <typename Control>
Control* FindControl(const QObject& root, const QString& name)
{
    for (Control* control : root.findChildren<Control*>()) {
        if (control->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return control;
    }
    return nullptr;
}
