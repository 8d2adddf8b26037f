#include "report/report_html.h"

#include <QStringBuilder>

namespace morvel {

namespace {

// Font sizes in points, spacing in CSS pixels (a 96th of an inch), so that a browser and the
// PDF's layout give the same page.
const QString kStyle = QStringLiteral(
    "body { font-family: 'DejaVu Sans', sans-serif; font-size: 9pt; color: #000000; }\n"
    "h1 { font-size: 15pt; margin-bottom: 4pt; }\n"
    "h2 { font-size: 11.5pt; margin-top: 12pt; margin-bottom: 4pt; }\n"
    "h3 { font-size: 9.5pt; margin-top: 8pt; margin-bottom: 3pt; }\n"
    "p { margin-top: 3pt; margin-bottom: 3pt; }\n"
    "table { border-collapse: collapse; margin-bottom: 4pt; }\n"
    "table.grid th, table.grid td { border: 1px solid #808080; padding: 3px 5px; vertical-align: top; text-align: left; }\n"
    "table.grid th { background-color: #e6e6e6; font-weight: bold; }\n"
    "table.facts td { padding: 1px 5px; vertical-align: top; }\n"
    "td.label { font-weight: bold; }\n"
    "p.note { font-style: italic; }\n");

QString Escaped(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(u'\n', QLatin1String("<br>"));
    return escaped;
}

QString Facts(const std::vector<ReportFact>& facts)
{
    QString html = QStringLiteral("<table class=\"facts\" width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">\n");
    for (const ReportFact& fact : facts)
        html += u"<tr><td class=\"label\" width=\"34%\">" % Escaped(fact.label) % u"</td><td>" % Escaped(fact.value)
                % u"</td></tr>\n";
    return html + QStringLiteral("</table>\n");
}

QString Table(const ReportTable& table)
{
    QString html = QStringLiteral(
        "<table class=\"grid\" width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n<thead><tr>");
    for (qsizetype i = 0; i < table.header.size(); ++i) {
        const int width = std::size_t(i) < table.widths.size() ? table.widths[std::size_t(i)] : 0;
        html += (width > 0 ? u"<th width=\"" % QString::number(width) % u"%\">" : QStringLiteral("<th>"))
                % Escaped(table.header[i]) % u"</th>";
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const QStringList& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row)
            html += u"<td>" % Escaped(cell) % u"</td>";
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody></table>\n");
}

QString Block(const ReportBlock& block)
{
    if (const auto* paragraph = std::get_if<ReportParagraph>(&block))
        return u"<p>" % Escaped(paragraph->text) % u"</p>\n";
    if (const auto* heading = std::get_if<ReportSubheading>(&block))
        return u"<h3>" % Escaped(heading->text) % u"</h3>\n";
    if (const auto* facts = std::get_if<ReportFacts>(&block))
        return Facts(facts->facts);
    return Table(std::get<ReportTable>(block));
}

} // namespace

QString ReportHtml(const ReportDocument& report)
{
    QString html = u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
                   % Escaped(report.title) % u"</title>\n<style>\n" % kStyle % u"</style>\n</head>\n<body>\n<h1>"
                   % Escaped(report.title) % u"</h1>\n";
    html += Facts(report.header);
    for (const QString& note : report.notes)
        html += u"<p class=\"note\">" % Escaped(note) % u"</p>\n";
    for (const ReportSection& section : report.sections) {
        if (!section.heading.isEmpty())
            html += u"<h2>" % Escaped(section.heading) % u"</h2>\n";
        for (const ReportBlock& block : section.blocks)
            html += Block(block);
    }
    return html + QStringLiteral("</body>\n</html>\n");
}

} // namespace morvel
