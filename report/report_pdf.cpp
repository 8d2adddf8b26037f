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

// Without ligatures: "fi" and "ff" stay two letters each in the PDF's text, so that the text a
// reader copies or searches reads as printed. Qt shapes without them when letters are spaced;
// a twentieth of a pixel is invisible and still above zero in Qt's 64ths of a pixel.
constexpr qreal kLetterSpacingPixels = 0.05;

QFont ReportFont()
{
    QFont font(QString::fromLatin1(kFontFamily), kFontPoints);
    font.setLetterSpacing(QFont::AbsoluteSpacing, kLetterSpacingPixels);
    return font;
}

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
        document.setDefaultFont(ReportFont());
        document.setHtml(ReportHtml(report));
        document.print(&writer);
    } // the writer finishes the file when it goes
    return pdf;
}

} // namespace morvel
