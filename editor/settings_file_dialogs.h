#pragma once

#include <QString>

#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace morvel {

// The two file dialogs of "Load ..." and "Save as ...", behind an interface so that window
// tests choose file names without a modal dialog.
class SettingsFileDialogs {
public:
    virtual ~SettingsFileDialogs() = default;
    // The file to load, or nothing when the operator cancels.
    virtual std::optional<QString> ChooseFileToLoad(QWidget* parent) = 0;
    // The file to save to, proposing `proposedName`; nothing when the operator cancels.
    virtual std::optional<QString> ChooseFileToSave(QWidget* parent, const QString& proposedName) = 0;
};

// The real dialogs OpenDialog1 and SaveDialog1: settings files ("*.orv") or all files, default
// extension "orv". Neither asks before replacing a file, and the open dialog takes a name that
// does not exist (loading it then reports that it cannot be opened). Created at first use, so
// that they cost nothing at start-up.
class QtSettingsFileDialogs final : public SettingsFileDialogs {
public:
    QtSettingsFileDialogs();
    ~QtSettingsFileDialogs() override;

    std::optional<QString> ChooseFileToLoad(QWidget* parent) override;
    std::optional<QString> ChooseFileToSave(QWidget* parent, const QString& proposedName) override;

private:
    std::unique_ptr<QFileDialog> openDialog_;
    std::unique_ptr<QFileDialog> saveDialog_;
};

} // namespace morvel
