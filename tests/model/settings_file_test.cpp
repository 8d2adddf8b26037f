#include "model/record_fields.h"
#include "model/settings_file.h"
#include "model/settings_stream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace morvel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kContentSize = 2356; // record 1228 + notes 1128

Bytes ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& file, const Bytes& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A zlib stream of the given content, built with zlib directly.
Bytes Compress(const Bytes& content, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    Bytes stream(size);
    EXPECT_EQ(compress2(stream.data(), &size, content.data(), static_cast<uLong>(content.size()), level), Z_OK);
    stream.resize(size);
    return stream;
}

Bytes Uncompress(const Bytes& stream, std::size_t expectedSize)
{
    Bytes content(expectedSize);
    uLongf size = static_cast<uLongf>(content.size());
    EXPECT_EQ(uncompress(content.data(), &size, stream.data(), static_cast<uLong>(stream.size())), Z_OK);
    content.resize(size);
    return content;
}

// Content whose every byte differs from its neighbours, so that a shifted or missing byte shows.
Bytes PatternContent(std::size_t size)
{
    Bytes content(size);
    for (std::size_t i = 0; i < size; ++i)
        content[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return content;
}

class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '-'); // parameterised names hold a slash
        directory_ = fs::temp_directory_path() / ("morvel-file-test-" + std::to_string(::getpid()) + "-" + test);
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        // What the program holds before a load: must survive every refused file.
        record_.bytes.fill(0x11);
        notes_.bytes.fill(0x22);
    }
    void TearDown() override { fs::remove_all(directory_); }

    fs::path Path(const std::string& name) const { return directory_ / name; }

    std::vector<std::string> DirectoryEntries(const fs::path& directory) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void ExpectUntouched() const
    {
        TSettingsRecord record;
        record.bytes.fill(0x11);
        TUserNotes notes;
        notes.bytes.fill(0x22);
        EXPECT_EQ(record_, record);
        EXPECT_EQ(notes_, notes);
    }

    fs::path directory_;
    TSettingsRecord record_;
    TUserNotes notes_;
};

TEST_F(SettingsFile, RoundTripKeepsEveryByteAndUsesTheDefaultZlibHeader)
{
    TSettingsRecord record;
    record.bytes[13] = 0x5A; // reserved
    record.bytes[86] = 0xA5; // reserved
    SmsCentre(record).assign("+48602951111");
    SmsCentre(record).assign("+48"); // leaves a stale tail
    InputText(record, 4, 2).assign("Otwarte drzwi \xB9\xE6\xEA"); // Windows-1250 letters
    TUserNotes notes;
    UserName(notes, 2).assign("Jan Kowalski");
    UserNotesText(notes, 4).assign("Line one\r\nLine two");

    const fs::path file = Path("a.orv");
    ASSERT_EQ(WriteSettingsFile(record, notes, file), std::nullopt);
    const Bytes stream = ReadBytes(file);
    ASSERT_GE(stream.size(), 2u);
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ(stream[1], 0x9C);
    Bytes expectedContent(record.bytes.begin(), record.bytes.end());
    expectedContent.insert(expectedContent.end(), notes.bytes.begin(), notes.bytes.end());
    EXPECT_EQ(Uncompress(stream, kContentSize + 1), expectedContent);

    ASSERT_EQ(ReadSettingsFile(file, record_, notes_), std::nullopt);
    EXPECT_EQ(record_, record);
    EXPECT_EQ(notes_, notes);
    EXPECT_EQ(DirectoryEntries(directory_), std::vector<std::string>{"a.orv"});
}

TEST_F(SettingsFile, SavingOverAnExistingFileReplacesIt)
{
    const fs::path file = Path("same.orv");
    WriteBytes(file, Bytes(5000, 0xEE));
    TSettingsRecord record;
    record.bytes[0] = 42;
    ASSERT_EQ(WriteSettingsFile(record, TUserNotes{}, file), std::nullopt);
    ASSERT_EQ(ReadSettingsFile(file, record_, notes_), std::nullopt);
    EXPECT_EQ(record_, record);
    EXPECT_EQ(DirectoryEntries(directory_), std::vector<std::string>{"same.orv"});
}

struct AcceptedCase {
    std::string name;
    Bytes file;
};

void PrintTo(const AcceptedCase& c, std::ostream* out) { *out << c.name; }

Bytes WithTrailingBytes()
{
    Bytes file = Compress(PatternContent(kContentSize));
    const Bytes garbage{'t', 'r', 'a', 'i', 'l', 0x78, 0x9C, 0x00};
    file.insert(file.end(), garbage.begin(), garbage.end());
    return file;
}

class AcceptedFiles : public SettingsFile, public testing::WithParamInterface<AcceptedCase> {};

TEST_P(AcceptedFiles, LoadTheFirst2356BytesOfContent)
{
    const fs::path file = Path("in.orv");
    WriteBytes(file, GetParam().file);
    ASSERT_EQ(ReadSettingsFile(file, record_, notes_), std::nullopt);
    const Bytes expected = PatternContent(kContentSize);
    EXPECT_TRUE(std::equal(record_.bytes.begin(), record_.bytes.end(), expected.begin()));
    EXPECT_TRUE(std::equal(notes_.bytes.begin(), notes_.bytes.end(), expected.begin() + 1228));
}

INSTANTIATE_TEST_SUITE_P(
    Streams, AcceptedFiles,
    testing::Values(AcceptedCase{"Exact", Compress(PatternContent(kContentSize))},
                    AcceptedCase{"Stored", Compress(PatternContent(kContentSize), 0)},
                    AcceptedCase{"TrailingBytesAfterTheStream", WithTrailingBytes()},
                    AcceptedCase{"LongerContent", Compress(PatternContent(3000))},
                    AcceptedCase{"ContentOfOneMebibyte", Compress(PatternContent(1024 * 1024))}),
    [](const testing::TestParamInfo<AcceptedCase>& info) { return info.param.name; });

struct RefusedCase {
    std::string name;
    Bytes file;
    std::string detail;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

Bytes Cut(Bytes bytes, std::size_t keep)
{
    bytes.resize(keep);
    return bytes;
}

Bytes WithFlippedByte(Bytes bytes, std::size_t fromEnd)
{
    bytes[bytes.size() - fromEnd] ^= 0x01;
    return bytes;
}

// Damage inside the notes block of a stored stream: the record block inflates cleanly.
Bytes DamagedInNotes()
{
    Bytes file = Compress(PatternContent(kContentSize), 0);
    file[file.size() - 4 - 100] ^= 0xFF; // a content byte near the end, before the trailer
    return file;
}

// A stream that never ends: empty stored blocks carry no content, only length.
Bytes EndlessEmptyBlocks()
{
    Bytes file{0x78, 0x01};
    const Bytes emptyStoredBlock{0x00, 0x00, 0x00, 0xFF, 0xFF}; // not final, stored, length 0
    for (int i = 0; i < 500'000; ++i)
        file.insert(file.end(), emptyStoredBlock.begin(), emptyStoredBlock.end());
    return file;
}

const Bytes kFullStream = Compress(PatternContent(kContentSize));

class RefusedFiles : public SettingsFile, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedFiles, ChangeNothingAndSayWhy)
{
    const fs::path file = Path("in.orv");
    WriteBytes(file, GetParam().file);
    const std::optional<FileError> error = ReadSettingsFile(file, record_, notes_);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Error");
    EXPECT_EQ(error->detail, GetParam().detail);
    ExpectUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Streams, RefusedFiles,
    testing::Values(
        RefusedCase{"Empty", {}, "not a zlib stream"},
        RefusedCase{"OneByte", {0x78}, "not a zlib stream"},
        RefusedCase{"ForeignText", {'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}, "not a zlib stream"},
        RefusedCase{"GzipFile", {0x1F, 0x8B, 0x08, 0x00, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                    "not a zlib stream"},
        RefusedCase{"ShortContent", Compress(PatternContent(1200)), "settings file ends after 1200 of 2356 bytes"},
        RefusedCase{"NoContent", Compress({}), "settings file ends after 0 of 2356 bytes"},
        RefusedCase{"CutInTheRecordBlock", Cut(Compress(PatternContent(kContentSize), 0), 1000),
                    "settings file ends after 993 of 2356 bytes"},
        RefusedCase{"CutBeforeTheTrailer", Cut(kFullStream, kFullStream.size() - 2), "zlib stream is cut off before its end"},
        RefusedCase{"ChecksumMismatch", WithFlippedByte(kFullStream, 1), "checksum mismatch"},
        RefusedCase{"DamagedInTheNotesBlock", DamagedInNotes(), "checksum mismatch"},
        RefusedCase{"ContentPastOneMebibyte", Compress(PatternContent(1024 * 1024 + 1)),
                    "settings file content goes on past 1048576 bytes"},
        RefusedCase{"EndlessEmptyBlocks", EndlessEmptyBlocks(), "zlib stream goes on past 2097152 bytes"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST_F(SettingsFile, MissingFileCannotBeOpened)
{
    const fs::path file = Path("missing.orv");
    const std::optional<FileError> error = ReadSettingsFile(file, record_, notes_);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Cannot open file \"" + file.string() + "\". No such file or directory");
    ExpectUntouched();
}

TEST_F(SettingsFile, DirectoryCannotBeOpened)
{
    const std::optional<FileError> error = ReadSettingsFile(directory_, record_, notes_);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Cannot open file \"" + directory_.string() + "\". Is a directory");
    ExpectUntouched();
}

TEST_F(SettingsFile, FileInAMissingDirectoryCannotBeCreated)
{
    const fs::path file = Path("no-such-dir") / "x.orv";
    const std::optional<FileError> error = WriteSettingsFile(TSettingsRecord{}, TUserNotes{}, file);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Cannot create file \"" + file.string() + "\". No such file or directory");
    EXPECT_TRUE(DirectoryEntries(directory_).empty());
}

TEST_F(SettingsFile, FailedRenameLeavesNoTemporaryFile)
{
    // A directory of that name cannot be replaced by a file.
    const fs::path target = Path("taken.orv");
    fs::create_directory(target);
    const std::optional<FileError> error = WriteSettingsFile(TSettingsRecord{}, TUserNotes{}, target);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.rfind("Cannot create file \"" + target.string() + "\". ", 0), 0u) << error->message;
    EXPECT_EQ(DirectoryEntries(directory_), std::vector<std::string>{"taken.orv"});
}

// Saves over `file` in a child process that may write only a few bytes per file, as on a disk
// that fills up. The limit also cuts the child's own error output, so the outcome is told by
// the exit code: 3 for the expected write error, 4 for any other failure, 0 for success.
void SaveWithFileSizeLimit(const fs::path& file)
{
    std::signal(SIGXFSZ, SIG_IGN); // make the kernel report EFBIG instead of killing the writer
    const rlimit limit{16, 16};
    setrlimit(RLIMIT_FSIZE, &limit);
    TSettingsRecord record;
    record.bytes.fill(0x77);
    const std::optional<FileError> error = WriteSettingsFile(record, TUserNotes{}, file);
    if (!error)
        std::_Exit(0);
    const bool writeError = error->message == "Stream write error" && error->detail == "File too large";
    std::_Exit(writeError ? 3 : 4);
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFile)
{
    const fs::path file = Path("old.orv");
    TSettingsRecord oldRecord;
    oldRecord.bytes[5] = 5;
    ASSERT_EQ(WriteSettingsFile(oldRecord, TUserNotes{}, file), std::nullopt);
    const Bytes oldFile = ReadBytes(file);

    EXPECT_EXIT(SaveWithFileSizeLimit(file), testing::ExitedWithCode(3), "");

    EXPECT_EQ(ReadBytes(file), oldFile);
    EXPECT_EQ(DirectoryEntries(directory_), std::vector<std::string>{"old.orv"});
}

// Saves over `file` as an ordinary user (the test may run as root, who may write anything).
// Exit code 3: refused with "Cannot create file"; 4: any other failure; 0: saved.
void SaveAsOrdinaryUser(const fs::path& file)
{
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        std::_Exit(5);
    const std::optional<FileError> error = WriteSettingsFile(TSettingsRecord{}, TUserNotes{}, file);
    if (!error)
        std::_Exit(0);
    const bool refused = error->message == "Cannot create file \"" + file.string() + "\". Permission denied";
    std::_Exit(refused ? 3 : 4);
}

TEST_F(SettingsFile, ReadOnlyFileIsNotReplaced)
{
    const fs::path file = Path("reference.orv");
    TSettingsRecord oldRecord;
    oldRecord.bytes[5] = 5;
    ASSERT_EQ(WriteSettingsFile(oldRecord, TUserNotes{}, file), std::nullopt);
    const Bytes oldFile = ReadBytes(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(directory_, fs::perms::all); // the folder itself would let the user save

    EXPECT_EXIT(SaveAsOrdinaryUser(file), testing::ExitedWithCode(3), "");

    EXPECT_EQ(ReadBytes(file), oldFile);
    EXPECT_EQ(DirectoryEntries(directory_), std::vector<std::string>{"reference.orv"});
}

// A tiny tmpfs, unmounted again whatever the test's outcome.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& directory) : directory_(directory)
    {
        fs::create_directory(directory_);
        mounted_ = ::mount("tmpfs", directory_.c_str(), "tmpfs", 0, "size=16k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(directory_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

    // Fills the remaining space with one file.
    void Fill() const
    {
        std::ofstream filler(directory_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
        }
    }

private:
    fs::path directory_;
    bool mounted_ = false;
};

TEST_F(SettingsFile, SaveOnAFullDiskKeepsTheOldFile)
{
    const fs::path disk = Path("disk");
    const SmallDisk smallDisk(disk);
    if (!smallDisk.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root); FailedSaveKeepsTheOldFile covers the path";
    const fs::path file = disk / "old.orv";
    ASSERT_EQ(WriteSettingsFile(TSettingsRecord{}, TUserNotes{}, file), std::nullopt);
    const Bytes oldFile = ReadBytes(file);
    smallDisk.Fill();

    TSettingsRecord record;
    record.bytes.fill(0x77);
    const std::optional<FileError> error = WriteSettingsFile(record, TUserNotes{}, file);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Stream write error");
    EXPECT_EQ(error->detail, "No space left on device");
    EXPECT_EQ(ReadBytes(file), oldFile);
    EXPECT_EQ(DirectoryEntries(disk), (std::vector<std::string>{"filler", "old.orv"}));
}

TEST(SettingsStream, RefusesAFailingReader)
{
    TSettingsRecord record;
    TUserNotes notes;
    const Bytes stream = Compress(PatternContent(kContentSize));
    bool first = true;
    const std::optional<FileError> error = InflateSettings(
        [&](std::span<std::uint8_t> buffer) -> std::optional<std::size_t> {
            if (!first)
                return std::nullopt;
            first = false;
            std::copy_n(stream.begin(), 10, buffer.begin());
            return 10;
        },
        record, notes);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Error");
    EXPECT_EQ(record, TSettingsRecord{});
}

TEST(SettingsStream, WriterFailureIsAStreamWriteError)
{
    const std::optional<FileError> error =
        DeflateSettings(TSettingsRecord{}, TUserNotes{}, [](std::span<const std::uint8_t>) { return false; });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Stream write error");
}

} // namespace
} // namespace morvel
