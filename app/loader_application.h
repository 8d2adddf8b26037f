#pragma once

#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "editor/about_box.h"
#include "editor/main_window.h"
#include "editor/message_boxes.h"
#include "editor/settings_file_dialogs.h"
#include "link/serial_port.h"
#include "model/settings_record.h"

namespace morvel {

// Everything one run of the program owns, built in this order: the settings, the services the
// window uses, the main window, then the output-reaction dialog, the notification dialog and
// the about box, which the window gets to open. Destroyed in the reverse order.
// Needs a QApplication.
class LoaderApplication {
public:
    LoaderApplication();

    TGlownaF& Window() { return window_; }
    TAboutBox& AboutBox() { return about_; }

private:
    SettingsModel model_;
    ModalMessageBoxes boxes_;
    QtSettingsFileDialogs files_;
    SerialModulePort port_;
    TGlownaF window_;
    TFconfigNumberWeRe outputReaction_;
    TFConfigWorkWeRe notification_;
    TAboutBox about_;
};

// The application-wide settings every program of the loader needs before the first window:
// the program's icon. Returns false (after telling the operator) when the platform cannot
// convert texts to Windows-1250, without which no text could be stored faithfully.
bool PrepareApplication();

} // namespace morvel
