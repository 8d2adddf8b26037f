#pragma once

// Texts the main window adds to the messages it shows. The captions of the controls stay with
// the pages that build them.
namespace morvel::window_text {

// Under a file that could not be loaded: which file, and that nothing was replaced.
inline constexpr const char* kRefusedFile = "File: %1";
inline constexpr const char* kPreviousSettingsKept = "The editor still shows the previous settings.";

// The "Tools" menu: verifying the module and comparing with a file.
inline constexpr const char* kToolsMenu = "Tools";
inline constexpr const char* kVerifyModule = "Verify module";
inline constexpr const char* kCompareWithFile = "Compare with file ...";
inline constexpr const char* kVerifyAfterProgramming = "Verify after programming";

// Lines of the information list.
inline constexpr const char* kVerificationStarted = "Verification: reading the module ...";
inline constexpr const char* kVerificationPassed = "Verified: the module holds the settings shown in the editor.";
inline constexpr const char* kVerificationAfterProgrammingPassed = "Verified: the module holds the settings just programmed.";
inline constexpr const char* kVerificationFailedOne = "Verification failed: 1 setting differs in the module. Program it again.";
inline constexpr const char* kVerificationFailed = "Verification failed: %1 settings differ in the module. Program it again.";
inline constexpr const char* kVerificationImpossible =
    "Could not verify (%1). Check the port and the cable, then verify again.";

// The report dialog.
inline constexpr const char* kVerificationTitle = "Verify module";
inline constexpr const char* kComparisonTitle = "Compare with file";
inline constexpr const char* kModuleAgrees = "The module holds the settings shown in the editor.";
inline constexpr const char* kModuleAgreesAfterProgramming = "The module holds the settings just programmed.";
inline constexpr const char* kModuleDiffers =
    "The module holds other values in these settings. Program it again; if they still differ, replace the module.";
inline constexpr const char* kModuleUnreadable = "The module could not be read, so it is not verified: %1\n"
                                                 "Check the port and the cable, then verify again.";
inline constexpr const char* kFileAgrees = "The editor and %1 hold the same settings.";
inline constexpr const char* kFileDiffers = "The editor and %1 differ in these settings. Nothing was loaded.";
inline constexpr const char* kSettingColumn = "Setting";
inline constexpr const char* kEditorColumn = "Editor";
inline constexpr const char* kModuleColumn = "Module";
inline constexpr const char* kFileColumn = "File";
inline constexpr const char* kCopyTable = "Copy as text";
inline constexpr const char* kClose = "Close";

} // namespace morvel::window_text
