#include "editor/report_export.h"

#include "editor/window_texts.h"
#include "report/report_builder.h"
#include "report/report_file.h"
#include "report/report_texts.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

#include <filesystem>

namespace morvel {

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

constexpr const char* kShowCodesBox = "ReportShowCodes";
constexpr const char* kChangedOnlyBox = "ReportChangedOnly";

void AddCheckBox(QFileDialog& dialog, const char* name, const char* caption)
{
    auto* box = new QCheckBox(T(caption), &dialog);
    box->setObjectName(QString::fromLatin1(name));
    // The widget dialog lays itself out on a grid; the boxes go in a row of their own under it.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
}

// The file name's extension follows the filter the operator picks.
void FollowFilter(QFileDialog& dialog, const QString& filter)
{
    dialog.setDefaultSuffix(filter == T(window_text::kReportHtmlFilter) ? QStringLiteral("html") : QStringLiteral("pdf"));
}

} // namespace

std::unique_ptr<QFileDialog> NewReportFileDialog(QWidget* parent, const QString& proposedName)
{
    auto dialog = std::make_unique<QFileDialog>(parent, T(window_text::kReportDialogTitle));
    dialog->setObjectName(QStringLiteral("ReportDialog"));
    dialog->setOption(QFileDialog::DontUseNativeDialog); // the check boxes need the widget dialog
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters({T(window_text::kReportPdfFilter), T(window_text::kReportHtmlFilter)});
    FollowFilter(*dialog, T(window_text::kReportPdfFilter));
    QFileDialog* shown = dialog.get();
    QObject::connect(shown, &QFileDialog::filterSelected, shown,
                     [shown](const QString& filter) { FollowFilter(*shown, filter); });
    AddCheckBox(*dialog, kShowCodesBox, window_text::kReportShowCodes);
    AddCheckBox(*dialog, kChangedOnlyBox, window_text::kReportChangedOnly);
    if (!proposedName.isEmpty())
        dialog->selectFile(proposedName);
    return dialog;
}

std::optional<ReportChoice> QtReportFileDialog::ChooseReportFile(QWidget* parent, const QString& proposedName)
{
    const std::unique_ptr<QFileDialog> dialog = NewReportFileDialog(parent, proposedName);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    const auto ticked = [&dialog](const char* box) {
        return dialog->findChild<QCheckBox*>(QString::fromLatin1(box))->isChecked();
    };
    return ReportChoice{dialog->selectedFiles().constFirst(),
                        {ticked(kShowCodesBox) ? ReportCodes::Shown : ReportCodes::Hidden,
                         ticked(kChangedOnlyBox) ? ReportScope::ChangedOnly : ReportScope::Everything}};
}

QString ProposedReportName(const QString& settingsFile)
{
    if (settingsFile.isEmpty())
        return {};
    const QFileInfo file(settingsFile);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}

std::optional<FileError> WriteEditorReport(const TSettingsRecord& record, const TUserNotes& notes,
                                           const QString& settingsFile, const std::optional<QString>& verdict,
                                           const ReportChoice& choice)
{
    const std::optional<ReportFormat> format = ReportFormatFor(choice.fileName);
    if (!format)
        return FileError{report_text::kUnknownFormat, {}};
    const QString settingsName = settingsFile.isEmpty()
                                     ? T(window_text::kUnsavedSettings)
                                     : T(window_text::kEditedSettings).arg(QFileInfo(settingsFile).fileName());
    const ReportSource source{settingsName, T(window_text::kReportProgram).arg(QStringLiteral(MORVEL_VERSION)),
                              QDateTime::currentDateTime(), verdict};
    const ReportDocument report = BuildReport(record, notes, source, choice.options);
    return WriteReportFile(report, *format, std::filesystem::path(QFile::encodeName(choice.fileName).toStdString()));
}

} // namespace morvel
