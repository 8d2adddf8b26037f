#include "editor/settings_file_dialogs.h"

#include <QFileDialog>

namespace morvel {

namespace {

const QString kDefaultSuffix = QStringLiteral("orv");

// "pliki orv" shows *.orv and "Wszystkie" every file; "*" rather than "*.*", which would hide
// the files without a dot in their name.
QStringList NameFilters()
{
    return {QString::fromUtf8("pliki orv (*.orv)"), QString::fromUtf8("Wszystkie (*)")};
}

std::unique_ptr<QFileDialog> NewDialog(const char* name, QFileDialog::AcceptMode mode)
{
    auto dialog = std::make_unique<QFileDialog>();
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(NameFilters());
    dialog->setDefaultSuffix(kDefaultSuffix);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setOption(QFileDialog::HideNameFilterDetails);  // the entries read "pliki orv", "Wszystkie"
    return dialog;
}

// The dialog stays without a Qt parent (it outlives no window it would belong to); it is
// application-modal and opens over the window.
std::optional<QString> Run(QFileDialog& dialog, QWidget* parent)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    if (parent)
        dialog.move(parent->geometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtSettingsFileDialogs::QtSettingsFileDialogs() = default;

QtSettingsFileDialogs::~QtSettingsFileDialogs() = default;

std::optional<QString> QtSettingsFileDialogs::ChooseFileToLoad(QWidget* parent)
{
    if (!openDialog_)
        openDialog_ = NewDialog("OpenDialog1", QFileDialog::AcceptOpen);
    return Run(*openDialog_, parent);
}

std::optional<QString> QtSettingsFileDialogs::ChooseFileToSave(QWidget* parent, const QString& proposedName)
{
    // A fresh dialog each time: it proposes only the name given. A reused one would keep the
    // name chosen at the previous save when nothing was loaded (an empty name cannot be
    // selected), and offer to overwrite that file without a question.
    const QString lastFolder = saveDialog_ ? saveDialog_->directory().absolutePath() : QString();
    saveDialog_ = NewDialog("SaveDialog1", QFileDialog::AcceptSave);
    if (!lastFolder.isEmpty())
        saveDialog_->setDirectory(lastFolder);
    if (!proposedName.isEmpty())
        saveDialog_->selectFile(proposedName);
    return Run(*saveDialog_, parent);
}

} // namespace morvel
