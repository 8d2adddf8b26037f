#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <variant>
#include <vector>

// A job report as content, before it becomes HTML or a PDF: a title, header facts and
// sections of paragraphs, sub-headings, label-value lists and tables. Texts are plain; a line
// break inside a text breaks the line where it is printed.
namespace morvel {

struct ReportFact {
    QString label;
    QString value;
};

struct ReportFacts {
    std::vector<ReportFact> facts;
};

struct ReportTable {
    QStringList header;
    std::vector<int> widths; // per column, percent of the page width
    std::vector<QStringList> rows;
};

struct ReportParagraph {
    QString text;
};

struct ReportSubheading {
    QString text;
};

using ReportBlock = std::variant<ReportParagraph, ReportSubheading, ReportFacts, ReportTable>;

struct ReportSection {
    QString heading;
    std::vector<ReportBlock> blocks;
};

struct ReportDocument {
    QString title;
    std::vector<ReportFact> header;
    QStringList notes; // under the header: what is hidden or left out
    std::vector<ReportSection> sections;
};

} // namespace morvel
