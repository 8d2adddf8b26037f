#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace morvel {

// Whether the report prints the SIM PIN and the SMS access code or **** in their place.
enum class ReportCodes {
    Hidden,
    Shown,
};

// Whether the report lists every setting or only those that differ from a new file's.
enum class ReportScope {
    Everything,
    ChangedOnly,
};

struct ReportOptions {
    ReportCodes codes = ReportCodes::Hidden;
    ReportScope scope = ReportScope::Everything;
};

// Where the settings come from and who made the report.
struct ReportSource {
    QString settingsName;           // the file's name, or what stands for the editor's state
    QString program;                // "morvel 1.1"
    QDateTime made;
    std::optional<QString> verdict; // a verification's verdict, when the report follows one
};

} // namespace morvel
