#pragma once

// Texts the main window adds to the messages it shows. The captions of the controls stay with
// the pages that build them.
namespace morvel::window_text {

// Under a file that could not be loaded: which file, and that nothing was replaced.
inline constexpr const char* kRefusedFile = "File: %1";
inline constexpr const char* kPreviousSettingsKept = "The editor still shows the previous settings.";

// The "Tools" menu and its report.
inline constexpr const char* kToolsMenu = "Tools";
inline constexpr const char* kExportReport = "Export report ...";
inline constexpr const char* kReportDialogTitle = "Export report";
inline constexpr const char* kReportPdfFilter = "PDF (*.pdf)";
inline constexpr const char* kReportHtmlFilter = "HTML (*.html *.htm)";
inline constexpr const char* kReportShowCodes = "Print the SIM PIN and the SMS access code";
inline constexpr const char* kReportChangedOnly = "List only what differs from a new settings file";
inline constexpr const char* kUnsavedSettings = "the editor's settings (not saved to a file)";
inline constexpr const char* kEditedSettings = "%1, as the editor holds it";
inline constexpr const char* kReportProgram = "Morvel Loader %1";

} // namespace morvel::window_text
