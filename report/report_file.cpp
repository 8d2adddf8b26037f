#include "report/report_file.h"

#include "model/file_replace.h"
#include "report/report_html.h"
#include "report/report_pdf.h"
#include "report/report_texts.h"

#include <QFileInfo>

#include <cstdint>
#include <span>

namespace morvel {

std::optional<ReportFormat> ReportFormatFor(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return ReportFormat::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ReportFormat::Html;
    return std::nullopt;
}

QByteArray ReportBytes(const ReportDocument& report, ReportFormat format)
{
    if (format == ReportFormat::Pdf)
        return ReportPdf(report);
    return ReportHtml(report).toUtf8();
}

std::optional<FileError> WriteReportFile(const ReportDocument& report, ReportFormat format,
                                         const std::filesystem::path& file)
{
    const QByteArray bytes = ReportBytes(report, format);
    if (bytes.isEmpty())
        return FileError{report_text::kPdfFailed, {}};
    return ReplaceFileContents(file, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                               std::size_t(bytes.size())));
}

} // namespace morvel
