#pragma once

#include "report/report_document.h"

#include <QString>

namespace morvel {

// The report as one HTML page, UTF-8 with its style inside, that browsers show and the PDF is
// laid out from.
QString ReportHtml(const ReportDocument& report);

} // namespace morvel
