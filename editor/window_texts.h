#pragma once

// Texts the main window adds to the messages it shows. The captions of the controls stay with
// the pages that build them.
namespace morvel::window_text {

// Under a file that could not be loaded: which file, and that nothing was replaced.
inline constexpr const char* kRefusedFile = "File: %1";
inline constexpr const char* kPreviousSettingsKept = "The editor still shows the previous settings.";

} // namespace morvel::window_text
