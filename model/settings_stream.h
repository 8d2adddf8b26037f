#pragma once

#include "model/settings_file.h"
#include "model/settings_record.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// The zlib stream of a settings file, apart from the file itself, so that the same code reads a
// file chunk by chunk and a block of bytes in memory.
namespace morvel {

// Fills the buffer with the next bytes of the stream; returns how many (0 at the end), or
// nothing when reading failed.
using ChunkReader = std::function<std::optional<std::size_t>(std::span<std::uint8_t> buffer)>;
// Takes the next compressed bytes; returns false when they could not all be written.
using ChunkWriter = std::function<bool(std::span<const std::uint8_t> bytes)>;

// Compresses record + notes at zlib's default level and hands the stream to `write` in chunks.
// Fails with "Stream write error" when `write` fails.
std::optional<FileError> DeflateSettings(const TSettingsRecord& record, const TUserNotes& notes,
                                         const ChunkWriter& write);
// The whole stream in memory; empty only when zlib cannot start.
std::vector<std::uint8_t> DeflateSettings(const TSettingsRecord& record, const TUserNotes& notes);

// Inflates a settings stream and checks all of it (zlib header, data, Adler-32 trailer, at least
// 2356 bytes of content) before it copies the two blocks out. On any failure ("Error" with the
// reason as detail) record and notes are untouched. Reading stops at the end of the zlib stream;
// bytes after it are never requested.
std::optional<FileError> InflateSettings(const ChunkReader& read, TSettingsRecord& record, TUserNotes& notes);
std::optional<FileError> InflateSettings(std::span<const std::uint8_t> stream, TSettingsRecord& record,
                                         TUserNotes& notes);

} // namespace morvel
