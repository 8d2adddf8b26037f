#include "report/report_pdf.h"

#include "report/report_html.h"

#include <QBuffer>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace morvel {

namespace {

// DejaVu Sans holds every letter of Windows-1250; it comes with fonts-dejavu-core.
constexpr const char* kFontFamily = "DejaVu Sans";
constexpr int kFontPoints = 9;
constexpr qreal kMarginMillimetres = 15;
constexpr int kDotsPerInch = 300;

} // namespace

QByteArray ReportPdf(const ReportDocument& report)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                              QPageLayout::Millimeter);
        writer.setResolution(kDotsPerInch);
        writer.setTitle(report.title);
        writer.setCreator(report.title);

        QTextDocument document;
        document.setDefaultFont(QFont(QString::fromLatin1(kFontFamily), kFontPoints));
        document.setHtml(ReportHtml(report));
        document.print(&writer);
    } // the writer finishes the file when it goes
    return pdf;
}

} // namespace morvel
