#pragma once

#include "link/link_interfaces.h"
#include "link/module_link.h"
#include "link/port_descriptions.h"
#include "model/settings_file.h"
#include "model/settings_record.h"

#include <QMainWindow>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace morvel {

class MessageBoxes;
class PortBox;
class ModuleVerification;
class QtRunTimer;
class ReportFileDialog;
class SettingsFileDialogs;
class TAboutBox;
class TFConfigWorkWeRe;
class TFconfigNumberWeRe;

// What the window works with besides the settings: the message boxes, the file dialogs, the
// serial port and the port list. main() passes the real ones, tests their fakes.
struct WindowServices {
    MessageBoxes& boxes;
    SettingsFileDialogs& files;
    ModulePort& port;
    PortLister listPorts;
    std::chrono::milliseconds replyTimeout;
};

// The main window "Morvel Loader v 1.1 ENG": the port box and the two run buttons, the five
// editor pages, the information list and the menu. The controls are the editing copy of the
// settings; the window moves them to and from the record around each run and file action, owns
// the module link and shows the link's state on its widgets.
class TGlownaF final : public QMainWindow,
                       private InfoList,
                       private RunControls,
                       private LinkHooks {
    Q_OBJECT
public:
    TGlownaF(SettingsModel& model, WindowServices services, QWidget* parent = nullptr);
    ~TGlownaF() override;

    // The dialogs are created after the window and reused for every opening.
    void AttachDialogs(TFconfigNumberWeRe& outputReaction, TFConfigWorkWeRe& notification,
                       TAboutBox& about);

    // Event handlers, named after their control and event.
    void BprogramujClick();  // "Program settings"
    void BBloadClick();      // "Read settings"
    void Timer1Timer();      // the run time-out
    void Button1Click();     // File / "Save as ..."
    void Button2Click();     // File / "Load ..."
    // What "Load ..." does with the chosen name; the name stays the open dialog's for the
    // next "Save as ...".
    void LoadSettingsFile(const QString& name);
    void Wyjscie1Click();    // File / "Exit"
    void InfoClick();        // Help / "About"
    void Kotaktzdziaemtechnicznym1Click();  // Help / Troubleshooting Guide / "Contact with support"
    void ExportReportClick();  // Tools / "Export report ..."
    void BB_ConfigNumerWe1Re1Click(const QPushButton& button);      // an input's output reaction
    void BB_ConfigNumerSpecWe1Re1Click(const QPushButton& button);  // a special input's output reaction
    void BBConfigWorkWe1Re1Click(const QPushButton& button);        // an input's notification
    void BBConfigWorkSpecWe1Re1Click(const QPushButton& button);    // a special entry's notification

    const ModuleLink& Link() const { return *link_; }

    // The dialog "Export report ..." asks with; the window's own Qt dialog until another is given.
    void UseReportFileDialog(ReportFileDialog& dialog) { reportFile_ = &dialog; }

private:
    void BuildShell();
    void BuildMenu();
    void BuildToolsMenu();
    void AddReportItem();
    void ConnectRunControls();
    void ConnectReactionButtons();
    void FormCreate();
    void RunOutputFlagRules(bool withReportRule);
    template <typename Action>
    void ShowingErrors(Action action);
    void ShowFileError(const FileError& error);
    void ShowRefusedFile(const QString& name, const FileError& error);

    // InfoList: ListBox1.
    int LineCount() const override;
    void AddLine(const QString& text) override;
    void RemoveFirstLine() override;
    void ReplaceLine(int index, const QString& text) override;
    // RunControls: the two buttons and the application's busy cursor.
    void SetProgramButtonEnabled(bool enabled) override;
    void SetReadButtonEnabled(bool enabled) override;
    void SetBusyCursor(bool busy) override;
    // LinkHooks.
    bool UserNumbersPass() override;
    void StoreControls() override;
    void LoadControls() override;
    void ShowError(const QString& text, const QString& hint) override;
    void ShowLinkLost(const QString& text, const QString& hint) override;
    void RunEnded(RunEnd end, const QString& text) override;

    SettingsModel& model_;
    WindowServices services_;

    PortBox* cbCom_ = nullptr;
    QPushButton* bProgramuj_ = nullptr;
    QPushButton* bbLoad_ = nullptr;
    QTabWidget* pageControl2_ = nullptr;
    QListWidget* listBox1_ = nullptr;
    QtRunTimer* timer1_ = nullptr;
    std::unique_ptr<ModuleLink> link_;
    std::unique_ptr<ModuleVerification> verification_;  // the "Tools" menu; uses link_
    bool busy_ = false;
    QString openDialogFileName_;  // the name last chosen to load; the save dialog proposes it
    QString lastSettingsFile_;    // the file last loaded or saved, which the report names

    std::unique_ptr<ReportFileDialog> ownReportFile_;
    ReportFileDialog* reportFile_ = nullptr;

    TFconfigNumberWeRe* outputReaction_ = nullptr;
    TFConfigWorkWeRe* notification_ = nullptr;
    TAboutBox* about_ = nullptr;
};

} // namespace morvel
