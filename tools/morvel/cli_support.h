#pragma once

#include "model/settings_record.h"

#include <filesystem>
#include <string_view>

// What every subcommand shares: exit statuses, error output, and reading and writing the files.
// The helpers that read or write print the error themselves; the caller returns kExitFailure.
namespace morvel::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line was wrong

// Prints "morvel: <message>" on one line of stderr and returns kExitFailure.
int Fail(std::string_view message);

bool LoadSettings(const std::filesystem::path& file, TSettingsRecord& record, TUserNotes& notes);
bool SaveSettings(const TSettingsRecord& record, const TUserNotes& notes, const std::filesystem::path& file);
// An image file holds exactly the module's 2048 bytes, raw.
bool LoadImage(const std::filesystem::path& file, TEepromImage& image);
bool SaveImage(const TEepromImage& image, const std::filesystem::path& file);

} // namespace morvel::cli
