#pragma once

#include "link/module_link.h"
#include "model/settings_file.h"
#include "model/settings_record.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace morvel {

class InfoList;
class SettingsFileDialogs;
class VerificationDialog;

// The window's "Tools" menu: "Verify module" reads the module back and compares it with the
// settings the editor shows, "Compare with file ..." compares the editor with a settings file,
// and "Verify after programming" follows every successful programming run with a verification
// of what it sent. None of them changes the shared record, the image or a control: they store
// the controls into copies, and the module's image is only compared.
class ModuleVerification final : public QObject {
    Q_OBJECT
public:
    struct Context {
        QWidget& window;              // the editor's controls, and the dialogs' parent
        const SettingsModel& model;   // copied, never changed
        ModuleLink& link;
        InfoList& infoList;
        SettingsFileDialogs& files;
        std::function<QString()> portName;
        std::function<void(const QString& file, const FileError& error)> showRefusedFile;
    };

    explicit ModuleVerification(Context context);
    ~ModuleVerification() override;

    // Puts the "Tools" menu into the bar in front of `before` (the "Help" menu).
    void InsertMenu(QMenuBar& bar, QAction* before);

    void VerifyModule();
    void CompareWithFile();
    // Every run's end, from the window's link hooks; `text` is the failure's text, if any.
    void OnRunEnded(RunEnd end, const QString& text);

    bool VerifyAfterProgramming() const;
    const VerificationDialog& Report() const { return *report_; }

private:
    // What a read-back in progress is compared with when it ends.
    enum class Waiting { Nothing, EditorSettings, ProgrammedSettings };

    void StartReadBack(const TEepromImage& expected, Waiting purpose);
    void Conclude(RunEnd end, const QString& failure);
    void Append(const QString& line);

    Context context_;
    QAction* verifyAfterProgramming_ = nullptr;
    VerificationDialog* report_;
    Waiting waiting_ = Waiting::Nothing;
    TEepromImage expected_;
};

} // namespace morvel
