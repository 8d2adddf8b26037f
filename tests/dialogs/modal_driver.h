#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Acts on the modal dialog an opener is about to show: the action runs from the dialog's own
// event loop, once the dialog is up, and must close it (ClickButton with OK or Cancel). The
// action is dropped with `context`, so one that never ran cannot act on a later test's dialog.
inline void WhenModalShows(const QObject& context, std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, &context, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no modal dialog is showing";
            return;
        }
        act(*dialog);
    });
}

// Closes the showing dialog with the button of that object name ("BitBtn1" OK, "BitBtn2" Cancel).
inline void ClickButton(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    if (button == nullptr) {
        ADD_FAILURE() << "no button " << name;
        dialog.reject();
        return;
    }
    button->click();
    if (dialog.isVisible()) {
        ADD_FAILURE() << name << " did not close the dialog";
        dialog.reject();
    }
}
