#include "report/report_pdf.h"

#include "report/report_html.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace morvel {

namespace {

// DejaVu Sans holds every letter of Windows-1250; it comes with fonts-dejavu-core.
constexpr const char* kFontFamily = "DejaVu Sans";
constexpr int kFontPoints = 9;
constexpr int kPageNumberPoints = 8;
constexpr qreal kMarginMillimetres = 15;
constexpr int kDotsPerInch = 300;
constexpr qreal kPointsPerInch = 72;
// Room under each page's text for its number.
constexpr qreal kFooterPoints = 18;

// Without ligatures: "fi" and "ff" stay two letters each in the PDF's text, so that the text a
// reader copies or searches reads as printed. Qt shapes without them when letters are spaced;
// a twentieth of a pixel is invisible and still above zero in Qt's 64ths of a pixel. A PDF needs
// the glyphs' outlines only, so the fonts' hinting is not run.
constexpr qreal kLetterSpacingPixels = 0.05;

QFont ReportFont(int points)
{
    QFont font(QString::fromLatin1(kFontFamily), points);
    font.setLetterSpacing(QFont::AbsoluteSpacing, kLetterSpacingPixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

qreal Dots(qreal points) { return points * kDotsPerInch / kPointsPerInch; }

// Relayouts to try before the pages are printed as they stand: each moves one table.
constexpr int kMaxTableMoves = 32;

int PageOf(qreal y, qreal pageHeight) { return int(y / pageHeight); }

void BreakPageBefore(QTextTable& table)
{
    QTextTableFormat format = table.format();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    table.setFormat(format);
}

void BreakPageBefore(const QTextBlock& block)
{
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
}

// Moves the first table that a page's end would cut (or that a page's end parts from the heading
// right above it) to the next page, heading and all; false when there is none. A table longer
// than a page stays where it is.
bool MoveOneCutTable(QTextDocument& document, qreal pageHeight)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    QTextBlock heading;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        auto* table = qobject_cast<QTextTable*>(it.currentFrame());
        if (table == nullptr) {
            const QTextBlock block = it.currentBlock();
            heading = block.isValid() && block.blockFormat().headingLevel() > 0 ? block : QTextBlock();
            continue;
        }
        const QRectF box = layout->frameBoundingRect(table);
        const QTextBlock above = heading;
        heading = QTextBlock();
        if (box.height() >= pageHeight)
            continue;
        const int last = PageOf(box.bottom() - 1, pageHeight);
        const bool cut = PageOf(box.top(), pageHeight) != last;
        const bool parted = above.isValid() && PageOf(layout->blockBoundingRect(above).top(), pageHeight) != last;
        if (!cut && !parted)
            continue;
        if (above.isValid())
            BreakPageBefore(above);
        else
            BreakPageBefore(*table);
        return true;
    }
    return false;
}

// The document laid out for the writer's pages, page by page, each with its number at the
// bottom right. Laid out once, on the writer itself, rather than through QTextDocument::print,
// which copies the whole document first.
void PrintPages(QTextDocument& document, QPdfWriter& writer)
{
    const QRectF paper = writer.pageLayout().paintRectPixels(kDotsPerInch);
    const QSizeF body(paper.width(), paper.height() - Dots(kFooterPoints));
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(body);
    for (int moves = 0; moves < kMaxTableMoves && MoveOneCutTable(document, body.height()); ++moves) {
    }
    const int pages = document.pageCount();

    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.setFont(ReportFont(kPageNumberPoints));
        painter.drawText(QRectF(0, body.height(), body.width(), Dots(kFooterPoints)), Qt::AlignRight | Qt::AlignBottom,
                         QString::number(page + 1));
    }
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
        document.setDefaultFont(ReportFont(kFontPoints));
        document.setHtml(ReportHtml(report));
        PrintPages(document, writer);
    } // the writer finishes the file when it goes
    return pdf;
}

} // namespace morvel
