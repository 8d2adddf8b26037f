#pragma once

#include "model/settings_record.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// Settings files (.orv): one zlib stream (default level, header 0x78 0x9C) whose content is the
// 1228-byte record followed by the 1128-byte notes block, 2356 bytes.
namespace morvel {

inline constexpr std::size_t kSettingsContentSize = kRecordSize + kNotesSize;
// Content past the two blocks is inflated only to reach the stream's end and check its trailer,
// and only up to this much; a longer stream is refused.
inline constexpr std::size_t kSettingsContentLimit = 1024 * 1024;
// Compressed bytes read at most: empty deflate blocks produce no content, so the content limit
// alone would not bound the work.
inline constexpr std::size_t kSettingsStreamLimit = 2 * kSettingsContentLimit;

// What went wrong: `message` is the text the window shows ("Error", "Stream write error",
// "Cannot create file ..."), `detail` the precise reason, empty when the message says it all.
struct FileError {
    std::string message;
    std::string detail;
};

// Writes record copy + notes as one zlib stream; safe replace (temporary file beside the target,
// flushed, then renamed over it). On failure an existing file is untouched and nothing is left over.
std::optional<FileError> WriteSettingsFile(TSettingsRecord record, const TUserNotes& notes,
                                           const std::filesystem::path& file);

// All or nothing: on success fills record and notes; on failure leaves both untouched.
std::optional<FileError> ReadSettingsFile(const std::filesystem::path& file, TSettingsRecord& record,
                                          TUserNotes& notes);

} // namespace morvel
