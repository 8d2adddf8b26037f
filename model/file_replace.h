#pragma once

#include "model/settings_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace morvel {

// Replaces the file's contents safely: the bytes go to a new file beside it, which is flushed to
// the disk and only then renamed over the old one. On any failure the old file is untouched and
// the new one removed. Errors: "Cannot create file "<name>". <reason>" when the file cannot be
// made or put in place, "Stream write error" (reason as detail) when writing or flushing fails.
std::optional<FileError> ReplaceFileContents(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace morvel
