#pragma once

// One run of the program for the window tests of the dialogs: the settings, the main window
// with its message boxes recorded and its file names chosen in advance, and the three dialogs.

#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "editor/about_box.h"
#include "editor/main_window.h"
#include "editor/message_boxes.h"
#include "editor/settings_file_dialogs.h"
#include "link/port_descriptions.h"
#include "link/serial_port.h"
#include "model/settings_record.h"
#include "widgets/control_lookup.h"

#include "modal_driver.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include <chrono>
#include <optional>
#include <stdexcept>

namespace morvel {

class RecordingBoxes final : public MessageBoxes {
public:
    void Show(QWidget*, const QString& caption, const QString& text, const QString& = {}) override
    {
        shown << caption + QStringLiteral(": ") + text;
    }
    QStringList shown;
};

// Answers the file dialogs with one chosen name.
class ChosenFile final : public SettingsFileDialogs {
public:
    std::optional<QString> ChooseFileToLoad(QWidget*) override { return name; }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&) override { return name; }
    QString name;
};

// Everything one run of the program owns, with the window's services replaced where a test
// must not block: message boxes are recorded and file names chosen in advance.
struct LoaderRun {
    explicit LoaderRun(QString portName = {})
        : window(model, WindowServices{boxes, files, port, [portName] { return DescribeNames({portName}); }, std::chrono::milliseconds(6000)}),
          outputReaction(&window), notification(&window), about(&window)
    {
        window.AttachDialogs(outputReaction, notification, about);
    }

    template <typename Control>
    Control& Get(const QString& name)
    {
        Control* control = FindControl<Control>(window, name);
        if (control == nullptr)
            throw std::logic_error("no control " + name.toStdString());
        return *control;
    }

    QString LastInformation() const
    {
        const auto* list = FindControl<QListWidget>(window, QStringLiteral("ListBox1"));
        return list && list->count() > 0 ? list->item(list->count() - 1)->text() : QString();
    }

    SettingsModel model;
    RecordingBoxes boxes;
    ChosenFile files;
    SerialModulePort port;
    TGlownaF window;
    TFconfigNumberWeRe outputReaction;
    TFConfigWorkWeRe notification;
    TAboutBox about;
};

// The title and every box of a dialog as the operator sees it, e.g. "ChBONwy1IN:ticked".
inline QStringList Appearance(const QDialog& dialog)
{
    QStringList seen{dialog.windowTitle()};
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (!box->isVisible())
            continue;
        seen << box->objectName() + (box->isChecked() ? QStringLiteral(":ticked") : QStringLiteral(":clear"))
                    + (box->isEnabled() ? QString() : QStringLiteral(":greyed"));
    }
    return seen;
}

// Clicks the window's reaction button; while the dialog shows, notes its appearance, clicks
// the boxes named in `clicks` and closes it with `closeButton`. Returns the appearance.
inline QStringList ClickReactionButton(LoaderRun& run, const QString& button, const QStringList& clicks = {},
                                const char* closeButton = "BitBtn2")
{
    QObject actions;
    QStringList seen;
    WhenModalShows(actions, [&](QDialog& showing) {
        seen = Appearance(showing);
        for (const QString& name : clicks) {
            if (auto* box = FindControl<QCheckBox>(showing, name))
                box->click();
            else
                ADD_FAILURE() << "no box " << name.toStdString();
        }
        ClickButton(showing, closeButton);
    });
    run.Get<QPushButton>(button).click();
    if (seen.isEmpty())
        ADD_FAILURE() << "no dialog showed for " << button.toStdString() << "; boxes: "
                      << run.boxes.shown.join('\n').toStdString();
    return seen;
}

inline void TypeUsers(LoaderRun& run)
{
    const char* const numbers[] = {"+48601000001", "+48601000002", "", "+48601000004"};
    const char* const names[] = {"Jan", "", "Piotr", "Anna"};
    for (int user = 1; user <= 4; ++user) {
        run.Get<QLineEdit>(QStringLiteral("Enruser%1").arg(user)).setText(numbers[user - 1]);
        run.Get<QLineEdit>(QStringLiteral("Eosoba%1").arg(user)).setText(names[user - 1]);
    }
}

} // namespace morvel
