#pragma once

#include "fields/settings_comparison.h"
#include "model/settings_record.h"
#include "tools/morvel/comparison_report.h"
#include "tools/morvel/terminal_run.h"

#include <string>
#include <vector>

// The verification `verify` and `program` share: read the module back and compare it with the
// image programming writes.
namespace morvel::cli {

enum class Verdict {
    Verified,       // the module holds the image
    Different,      // it holds something else
    CouldNotVerify, // it could not be read (port, time-out, broken link, a short reply)
};

struct ModuleCheck {
    Verdict verdict = Verdict::CouldNotVerify;
    std::vector<FieldDifference> differences; // file first, module second
    std::string problem;                      // why it could not be verified
    QString hint;                             // and what to do about it
};

// Reads the module back through `link` (the reading run, nothing decoded, nothing written to the
// module) and compares image bytes 0 to 1194 with `expected`.
ModuleCheck CheckModule(TerminalLink& link, const TEepromImage& expected);

// The sides of a verification's report.
inline const Sides kFileAndModule{"file", "module"};

// "verified", "different", "could not verify".
const char* VerdictName(Verdict verdict);

// {"verdict", "differences", "error"} for the JSON documents.
QJsonObject CheckJson(const ModuleCheck& check);

} // namespace morvel::cli
