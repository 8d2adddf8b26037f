#include "model/settings_file.h"

#include "model/file_replace.h"
#include "model/settings_stream.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvel {

namespace {

std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

FileError CannotOpen(const std::filesystem::path& file, int error)
{
    return {"Cannot open file \"" + file.string() + "\". " + SystemReason(error), {}};
}

// Closes the file on every path.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& file) : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadOnlyFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

} // namespace

std::optional<FileError> WriteSettingsFile(TSettingsRecord record, const TUserNotes& notes,
                                           const std::filesystem::path& file)
{
    // The stream is a few hundred bytes: build it whole, then replace the file in one go.
    std::vector<std::uint8_t> stream;
    const auto append = [&stream](std::span<const std::uint8_t> bytes) {
        stream.insert(stream.end(), bytes.begin(), bytes.end());
        return true;
    };
    if (std::optional<FileError> error = DeflateSettings(record, notes, append))
        return error;
    return ReplaceFileContents(file, stream);
}

std::optional<FileError> ReadSettingsFile(const std::filesystem::path& file, TSettingsRecord& record,
                                          TUserNotes& notes)
{
    ReadOnlyFile fd(file);
    if (!fd.valid())
        return CannotOpen(file, errno);
    struct stat status {};
    if (::fstat(fd.get(), &status) == 0 && S_ISDIR(status.st_mode))
        return CannotOpen(file, EISDIR);
    int readError = 0;
    const auto readChunk = [&](std::span<std::uint8_t> buffer) -> std::optional<std::size_t> {
        for (;;) {
            const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR) {
                readError = errno;
                return std::nullopt;
            }
        }
    };
    std::optional<FileError> failure = InflateSettings(readChunk, record, notes);
    if (failure && readError != 0)
        failure->detail = "cannot read the file: " + SystemReason(readError);
    return failure;
}

} // namespace morvel
