#pragma once

// Sizes in pixels the pages give some fields and columns so that they read well and the whole
// window fits 751 x 686 under the fonts of a stock Linux desktop.
namespace morvel::page_metric {

inline constexpr int kFourCharacterFieldWidth = 80;  // SIM PIN, SMS access code
inline constexpr int kTwoCharacterFieldWidth = 50;   // output SMS codes
inline constexpr int kPhoneNumberWidth = 130;
inline constexpr int kUserNameMinWidth = 200;
inline constexpr int kNotesHeight = 64;
inline constexpr int kNotesCaptionWidth = 50;
inline constexpr int kSirenCaptionWidth = 130;
inline constexpr int kInputsSmsTextMinWidth = 160;
inline constexpr int kSmsTextMinWidth = 300;         // "Special Inputs" and output confirmations
inline constexpr int kOutputsPageSideMargin = 30;
inline constexpr int kSpecialPageSideMargin = 12;
inline constexpr int kPageTopMargin = 8;

} // namespace morvel::page_metric
