#pragma once

#include "model/settings_file.h"
#include "model/settings_record.h"
#include "report/report_options.h"

#include <QString>

#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace morvel {

// What the operator chose for a report: the file (its extension gives the format) and whether
// the codes are printed and every setting listed.
struct ReportChoice {
    QString fileName;
    ReportOptions options;
};

// The save dialog of "Tools / Export report ...", behind an interface so that window tests
// choose without a modal dialog.
class ReportFileDialog {
public:
    virtual ~ReportFileDialog() = default;
    // Nothing when the operator cancels.
    virtual std::optional<ReportChoice> ChooseReportFile(QWidget* parent, const QString& proposedName) = 0;
};

// The real dialog: a PDF or an HTML file, with a box that prints the SIM PIN and the SMS access
// code and one that lists only what differs from a new file, both off at every opening. It asks
// before it replaces a file. It is a dialog of its own, so the settings dialogs keep the names
// they propose.
class QtReportFileDialog final : public ReportFileDialog {
public:
    std::optional<ReportChoice> ChooseReportFile(QWidget* parent, const QString& proposedName) override;
};

// That dialog, made afresh for each opening: "ReportDialog" with the boxes "ReportShowCodes" and
// "ReportChangedOnly".
std::unique_ptr<QFileDialog> NewReportFileDialog(QWidget* parent, const QString& proposedName);

// The name proposed for the report of the settings last loaded or saved as `settingsFile`:
// the same name ending in .pdf; empty when there is none.
QString ProposedReportName(const QString& settingsFile);

// Writes the report of the record and notes, made from the editor's state, to the chosen file.
// `settingsFile` is the file the settings were last loaded from or saved to, empty for none;
// `verdict` the line of a verification of these very settings, if there was one.
std::optional<FileError> WriteEditorReport(const TSettingsRecord& record, const TUserNotes& notes,
                                           const QString& settingsFile, const std::optional<QString>& verdict,
                                           const ReportChoice& choice);

} // namespace morvel
