#include "model/settings_stream.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace morvel {

namespace {

constexpr std::size_t kChunkSize = 16 * 1024;
const char* const kErrorMessage = "Error";
const char* const kWriteErrorMessage = "Stream write error";

FileError DamagedStream(std::string detail)
{
    return {kErrorMessage, std::move(detail)};
}

// zlib's own wording decides whether the stream was ours at all or damaged on the way.
FileError FromInflateError(const z_stream& stream, int status)
{
    if (status == Z_NEED_DICT)
        return DamagedStream("not a settings file: the zlib stream needs a preset dictionary");
    const std::string reason = stream.msg != nullptr ? stream.msg : "unknown zlib error";
    if (reason == "incorrect header check" || reason == "unknown compression method" || reason == "invalid window size")
        return DamagedStream("not a zlib stream");
    if (reason == "incorrect data check")
        return DamagedStream("checksum mismatch");
    return DamagedStream("damaged zlib stream: " + reason);
}

// Owns a z_stream set up for inflating and ends it on every path.
class Inflater {
public:
    Inflater() { ok_ = inflateInit(&stream_) == Z_OK; }
    ~Inflater() { if (ok_) inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    bool ok() const { return ok_; }
    z_stream& stream() { return stream_; }

private:
    z_stream stream_{};
    bool ok_ = false;
};

class Deflater {
public:
    Deflater() { ok_ = deflateInit(&stream_, Z_DEFAULT_COMPRESSION) == Z_OK; }
    ~Deflater() { if (ok_) deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    bool ok() const { return ok_; }
    z_stream& stream() { return stream_; }

private:
    z_stream stream_{};
    bool ok_ = false;
};

std::string EndsEarly(std::size_t contentBytes)
{
    if (contentBytes < kSettingsContentSize)
        return "settings file ends after " + std::to_string(contentBytes) + " of " +
               std::to_string(kSettingsContentSize) + " bytes";
    return "zlib stream is cut off before its end";
}

} // namespace

std::optional<FileError> DeflateSettings(const TSettingsRecord& record, const TUserNotes& notes,
                                         const ChunkWriter& write)
{
    std::array<std::uint8_t, kSettingsContentSize> content;
    std::copy(record.bytes.begin(), record.bytes.end(), content.begin());
    std::copy(notes.bytes.begin(), notes.bytes.end(), content.begin() + kRecordSize);

    Deflater deflater;
    if (!deflater.ok())
        return FileError{kWriteErrorMessage, "cannot start zlib compression"};
    z_stream& stream = deflater.stream();
    stream.next_in = content.data();
    stream.avail_in = static_cast<uInt>(content.size());

    std::array<std::uint8_t, kChunkSize> chunk;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        stream.next_out = chunk.data();
        stream.avail_out = static_cast<uInt>(chunk.size());
        status = deflate(&stream, Z_FINISH);
        if (status != Z_OK && status != Z_STREAM_END)
            return FileError{kWriteErrorMessage, "zlib compression failed"};
        const std::size_t produced = chunk.size() - stream.avail_out;
        if (!write(std::span<const std::uint8_t>(chunk.data(), produced)))
            return FileError{kWriteErrorMessage, {}};
    }
    return std::nullopt;
}

std::vector<std::uint8_t> DeflateSettings(const TSettingsRecord& record, const TUserNotes& notes)
{
    std::vector<std::uint8_t> stream;
    const auto append = [&stream](std::span<const std::uint8_t> bytes) {
        stream.insert(stream.end(), bytes.begin(), bytes.end());
        return true;
    };
    if (DeflateSettings(record, notes, append))
        stream.clear(); // zlib could not get its memory: no partial stream
    return stream;
}

std::optional<FileError> InflateSettings(const ChunkReader& read, TSettingsRecord& record, TUserNotes& notes)
{
    Inflater inflater;
    if (!inflater.ok())
        return DamagedStream("cannot start zlib decompression");
    z_stream& stream = inflater.stream();

    std::array<std::uint8_t, kSettingsContentSize> content{};
    std::array<std::uint8_t, kChunkSize> input;
    std::array<std::uint8_t, kChunkSize> overflow; // content past the two blocks, thrown away
    std::size_t contentBytes = 0;
    std::size_t streamBytes = 0;

    for (;;) {
        if (stream.avail_in == 0) {
            const std::optional<std::size_t> got = read(input);
            if (!got)
                return DamagedStream("the file could not be read to its end");
            if (*got == 0)
                return DamagedStream(contentBytes == 0 && streamBytes < 2 ? "not a zlib stream" : EndsEarly(contentBytes));
            streamBytes += *got;
            if (streamBytes > kSettingsStreamLimit)
                return DamagedStream("zlib stream goes on past " + std::to_string(kSettingsStreamLimit) + " bytes");
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(*got);
        }
        const bool inBlocks = contentBytes < content.size();
        std::uint8_t* out = inBlocks ? content.data() + contentBytes : overflow.data();
        const std::size_t room = inBlocks ? content.size() - contentBytes : overflow.size();
        stream.next_out = out;
        stream.avail_out = static_cast<uInt>(room);

        const int status = inflate(&stream, Z_NO_FLUSH);
        contentBytes += room - stream.avail_out;
        if (contentBytes > kSettingsContentLimit)
            return DamagedStream("settings file content goes on past " + std::to_string(kSettingsContentLimit) + " bytes");
        if (status == Z_STREAM_END)
            break;
        // Z_BUF_ERROR only says that no progress was possible without more input, fetched above.
        const bool needsInput = status == Z_BUF_ERROR && stream.avail_in == 0;
        if (status != Z_OK && !needsInput)
            return FromInflateError(stream, status);
    }
    if (contentBytes < kSettingsContentSize)
        return DamagedStream(EndsEarly(contentBytes));

    std::copy_n(content.begin(), kRecordSize, record.bytes.begin());
    std::copy_n(content.begin() + kRecordSize, kNotesSize, notes.bytes.begin());
    return std::nullopt;
}

std::optional<FileError> InflateSettings(std::span<const std::uint8_t> bytes, TSettingsRecord& record,
                                         TUserNotes& notes)
{
    std::size_t position = 0;
    return InflateSettings(
        [&](std::span<std::uint8_t> buffer) -> std::optional<std::size_t> {
            const std::size_t count = std::min(buffer.size(), bytes.size() - position);
            if (count > 0)
                std::memcpy(buffer.data(), bytes.data() + position, count);
            position += count;
            return count;
        },
        record, notes);
}

} // namespace morvel
