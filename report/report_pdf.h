#pragma once

#include "report/report_document.h"

#include <QByteArray>

namespace morvel {

// The report laid out on A4 pages, numbered, as a PDF that embeds the font it is printed in (one
// with the Polish letters). Needs a QGuiApplication; the offscreen platform will do.
QByteArray ReportPdf(const ReportDocument& report);

} // namespace morvel
