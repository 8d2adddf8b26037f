#pragma once

#include "model/settings_file.h"
#include "report/report_document.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

namespace morvel {

enum class ReportFormat {
    Pdf,
    Html,
};

// The format a report file's name asks for: ".pdf", or ".html" / ".htm", in any letter case.
std::optional<ReportFormat> ReportFormatFor(const QString& fileName);

// The report's file contents: a PDF (which needs a QGuiApplication) or a UTF-8 HTML page.
QByteArray ReportBytes(const ReportDocument& report, ReportFormat format);

// Writes the report with a safe replace: an existing file is untouched when anything fails.
std::optional<FileError> WriteReportFile(const ReportDocument& report, ReportFormat format,
                                         const std::filesystem::path& file);

} // namespace morvel
