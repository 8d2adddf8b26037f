#include "model/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvel {

namespace {

constexpr mode_t kNewFileMode = 0666;      // narrowed by the umask, as for any new file
constexpr int kTemporaryNameAttempts = 16; // a clash of random names is practically impossible

std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

FileError CannotCreate(const std::filesystem::path& file, int error)
{
    return {"Cannot create file \"" + file.string() + "\". " + SystemReason(error), {}};
}

FileError WriteError(int error)
{
    return {"Stream write error", SystemReason(error)};
}

// A file descriptor that is closed on every path.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd)
    {
        close();
        fd_ = fd;
    }
    // Returns 0 or the errno of a failed close, which for some file systems is where a late
    // write error shows.
    int close()
    {
        if (fd_ < 0)
            return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// The file the data really goes to: a symbolic link is kept and its target replaced.
std::filesystem::path ResolvedTarget(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::is_symlink(file, error)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(file, error);
        if (!error)
            return target;
    }
    return file;
}

// A replaced file keeps its permissions; a new one gets the usual ones.
void KeepPermissions(const std::filesystem::path& target, int fd)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd, existing.st_mode & 07777);
}

// Creates a new, empty file beside the target, so that renaming it over the target stays on
// one file system. On failure returns the errno.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary, FileDescriptor& out)
{
    std::random_device entropy;
    int error = EEXIST;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && error == EEXIST; ++attempt) {
        temporary = target;
        temporary += ".tmp-" + std::to_string(entropy());
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0) {
            out.reset(fd);
            KeepPermissions(target, fd);
            return 0;
        }
        error = errno;
    }
    return error;
}

// Writes all bytes, retrying short writes; returns 0 or the errno.
int WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// Writes, flushes and closes the new file; returns the errno of the first failure or 0.
int WriteTemporary(FileDescriptor& fd, std::span<const std::uint8_t> bytes)
{
    if (const int error = WriteAll(fd.get(), bytes))
        return error;
    if (::fsync(fd.get()) != 0)
        return errno;
    return fd.close();
}

// Makes the rename itself survive a power cut or an unplugged stick. A directory that cannot be
// flushed (some file systems refuse) changes nothing: the file is in place already.
void FlushDirectoryOf(const std::filesystem::path& target)
{
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace

std::optional<FileError> ReplaceFileContents(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path target = ResolvedTarget(file);
    // The rename below would replace a file the user may not write (a read-only copy kept as a
    // reference): refuse it as opening that file for writing would.
    if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT)
        return CannotCreate(file, errno);
    std::filesystem::path temporary;
    FileDescriptor fd(-1);
    if (const int error = CreateTemporary(target, temporary, fd))
        return CannotCreate(file, error);

    std::optional<FileError> failure;
    if (const int error = WriteTemporary(fd, bytes))
        failure = WriteError(error);
    else if (std::rename(temporary.c_str(), target.c_str()) != 0)
        failure = CannotCreate(file, errno);
    if (failure) {
        fd.close();
        ::unlink(temporary.c_str());
        return failure;
    }
    FlushDirectoryOf(target);
    return std::nullopt;
}

} // namespace morvel
