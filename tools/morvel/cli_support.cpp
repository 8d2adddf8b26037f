#include "tools/morvel/cli_support.h"

#include "model/file_replace.h"
#include "model/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <vector>

namespace morvel::cli {

namespace {

int Report(const FileError& error)
{
    if (error.detail.empty())
        return Fail(error.message);
    return Fail(error.message + ": " + error.detail);
}

} // namespace

int Fail(std::string_view message)
{
    std::cerr << "morvel: " << message << '\n';
    return kExitFailure;
}

bool LoadSettings(const std::filesystem::path& file, TSettingsRecord& record, TUserNotes& notes)
{
    if (const std::optional<FileError> error = ReadSettingsFile(file, record, notes)) {
        Report(*error);
        return false;
    }
    return true;
}

bool SaveSettings(const TSettingsRecord& record, const TUserNotes& notes, const std::filesystem::path& file)
{
    if (const std::optional<FileError> error = WriteSettingsFile(record, notes, file)) {
        Report(*error);
        return false;
    }
    return true;
}

bool LoadImage(const std::filesystem::path& file, TEepromImage& image)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Fail("cannot open image file \"" + file.string() + "\"");
        return false;
    }
    // One byte more than an image tells a longer file from a complete one.
    std::vector<char> bytes(kImageSize + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        Fail("cannot read image file \"" + file.string() + "\"");
        return false;
    }
    const auto size = static_cast<std::size_t>(in.gcount());
    if (size != kImageSize) {
        Fail("image file \"" + file.string() + "\" must hold exactly " + std::to_string(kImageSize) +
             " bytes, it holds " + (size > kImageSize ? "more" : std::to_string(size)));
        return false;
    }
    std::copy_n(bytes.begin(), kImageSize, image.bytes.begin());
    return true;
}

bool SaveImage(const TEepromImage& image, const std::filesystem::path& file)
{
    if (const std::optional<FileError> error = ReplaceFileContents(file, image.bytes)) {
        Report(*error);
        return false;
    }
    return true;
}

} // namespace morvel::cli
