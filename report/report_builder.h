#pragma once

#include "model/settings_record.h"
#include "report/report_document.h"
#include "report/report_options.h"

namespace morvel {

// The job report of a record and its notes: the users, the basic settings in words, one row
// per input edge that does something (the others summed up in one line), the HIJACK and
// Arm/Disarm inputs, the outputs with their codes, timers and confirmations.
ReportDocument BuildReport(const TSettingsRecord& record, const TUserNotes& notes, const ReportSource& source,
                           const ReportOptions& options);

} // namespace morvel
