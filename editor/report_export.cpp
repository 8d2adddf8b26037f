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

QCheckBox* AddCheckBox(QFileDialog& dialog, const char* name, const char* caption)
{
    auto* box = new QCheckBox(T(caption), &dialog);
    box->setObjectName(QString::fromLatin1(name));
    // The widget dialog lays itself out on a grid; the boxes go in a row of their own under it.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

// The file name's extension follows the filter the operator picks.
void FollowFilter(QFileDialog& dialog, const QString& filter)
{
    dialog.setDefaultSuffix(filter == T(window_text::kReportHtmlFilter) ? QStringLiteral("html") : QStringLiteral("pdf"));
}

} // namespace

std::optional<ReportChoice> QtReportFileDialog::ChooseReportFile(QWidget* parent, const QString& proposedName)
{
    QFileDialog dialog(parent, T(window_text::kReportDialogTitle));
    dialog.setObjectName(QStringLiteral("ReportDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the check boxes need the widget dialog
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({T(window_text::kReportPdfFilter), T(window_text::kReportHtmlFilter)});
    FollowFilter(dialog, T(window_text::kReportPdfFilter));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { FollowFilter(dialog, filter); });
    QCheckBox* codes = AddCheckBox(dialog, "ReportShowCodes", window_text::kReportShowCodes);
    QCheckBox* changedOnly = AddCheckBox(dialog, "ReportChangedOnly", window_text::kReportChangedOnly);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ReportChoice{dialog.selectedFiles().constFirst(),
                        {codes->isChecked() ? ReportCodes::Shown : ReportCodes::Hidden,
                         changedOnly->isChecked() ? ReportScope::ChangedOnly : ReportScope::Everything}};
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
