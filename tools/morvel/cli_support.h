#pragma once

#include "model/settings_record.h"

#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What every subcommand shares: exit statuses, error output, and reading and writing the files.
// The helpers that read or write print the error themselves; the caller returns kExitFailure.
namespace morvel::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line was wrong

// Prints "morvel: <message>" on one line of stderr and returns kExitFailure.
int Fail(std::string_view message);
// Prints "morvel <command>: <problem>" and a hint to --help on stderr, returns kExitUsage.
int UsageError(std::string_view command, std::string_view problem);

// A subcommand's arguments split into the values of the options it takes and its file names.
struct CommandLine {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> files;

    std::optional<std::string> Option(std::string_view name) const;
};
// Every option in `valueOptions` takes the next argument as its value and may be given once;
// any other "--" argument is unknown. On a mistake prints the usage error and returns nothing:
// the caller then returns kExitUsage.
std::optional<CommandLine> ParseCommandLine(std::string_view command, std::span<const std::string> arguments,
                                            std::initializer_list<std::string_view> valueOptions);

bool LoadSettings(const std::filesystem::path& file, TSettingsRecord& record, TUserNotes& notes);
bool SaveSettings(const TSettingsRecord& record, const TUserNotes& notes, const std::filesystem::path& file);
// An image file holds exactly the module's 2048 bytes, raw.
bool LoadImage(const std::filesystem::path& file, TEepromImage& image);
bool SaveImage(const TEepromImage& image, const std::filesystem::path& file);

} // namespace morvel::cli
