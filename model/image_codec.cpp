#include "model/image_codec.h"

#include "model/image_offsets.h"
#include "model/record_fields.h"
#include "model/record_offsets.h"

#include <algorithm>
#include <numeric>

namespace morvel {

namespace io = image_offset;
namespace ro = record_offset;

namespace {

using Image = std::array<std::uint8_t, kImageSize>;
using Record = std::array<std::uint8_t, kRecordSize>;

void CopyToImage(const Record& record, std::size_t from, std::size_t count, Image& image, std::size_t to)
{
    std::copy_n(record.begin() + static_cast<std::ptrdiff_t>(from), count, image.begin() + static_cast<std::ptrdiff_t>(to));
}

void CopyToRecord(const Image& image, std::size_t from, std::size_t count, Record& record, std::size_t to)
{
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), count, record.begin() + static_cast<std::ptrdiff_t>(to));
}

// Where the notification byte of a pair goes; the output-reaction byte follows it.
std::size_t PairOffset(std::size_t edge1Base, std::size_t edge2Base, int row, int edge)
{
    return (edge == 1 ? edge1Base : edge2Base) + io::kPairSize * static_cast<std::size_t>(row - 1);
}

std::size_t TextSlot(std::size_t edge1Base, std::size_t edge2Base, int row, int edge)
{
    return (edge == 1 ? edge1Base : edge2Base) + io::kTextSlotSize * static_cast<std::size_t>(row - 1);
}

std::size_t UserNumberSlot(int user)
{
    return io::kUserNumberSlots + io::kNumberSlotSize * static_cast<std::size_t>(user - 1);
}

// The slots in the order they are written: a long number spills into the next slot, whose own
// content then overwrites the overlap.
template <typename Visit>
void ForEachNumberSlot(Visit visit)
{
    visit(io::kSmsCentreSlot, ro::kSmsCentre);
    for (int user = 1; user <= ro::kUserCount; ++user)
        visit(UserNumberSlot(user), UserNumberOffset(user));
}

// Text slots in the order they are written: all edge-1 texts of the inputs, then their edge-2
// texts, then the same for the special entries. A full slot runs straight into the next one.
template <typename Visit>
void ForEachTextSlot(Visit visit)
{
    for (int edge = 1; edge <= ro::kEdgeCount; ++edge)
        for (int input = 1; input <= ro::kInputCount; ++input)
            visit(TextSlot(io::kInputTextsEdge1, io::kInputTextsEdge2, input, edge), InputTextOffset(input, edge));
    for (int edge = 1; edge <= ro::kEdgeCount; ++edge)
        for (int special = 1; special <= ro::kSpecialCount; ++special)
            visit(TextSlot(io::kSpecialTextsEdge1, io::kSpecialTextsEdge2, special, edge),
                  SpecialTextOffset(special, edge));
}

template <typename Visit>
void ForEachReactionPair(Visit visit)
{
    for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
        for (int input = 1; input <= ro::kInputCount; ++input)
            visit(PairOffset(io::kInputPairsEdge1, io::kInputPairsEdge2, input, edge),
                  InputNotificationOffset(input, edge), InputOutputReactionOffset(input, edge));
        for (int special = 1; special <= ro::kSpecialCount; ++special)
            visit(PairOffset(io::kSpecialPairsEdge1, io::kSpecialPairsEdge2, special, edge),
                  SpecialNotificationOffset(special, edge), SpecialOutputReactionOffset(special, edge));
    }
}

void EncodeNumber(const std::string& number, Image& image, std::size_t slot)
{
    if (number.empty())
        return;
    auto out = image.begin() + static_cast<std::ptrdiff_t>(slot);
    *out++ = io::kQuote;
    out = std::copy(number.begin(), number.end(), out);
    *out++ = io::kQuote;
    *out = 0;
}

// Appends image bytes from `from` on until `stop` says so or the image ends. Once the field is
// full the rest of the scan would only drop characters, so it ends there.
template <typename Stop>
void AppendUntil(const Image& image, std::size_t from, ShortString field, Stop stop)
{
    for (std::size_t i = from; i < image.size() && !stop(image[i]) && field.length() < field.capacity(); ++i)
        field.append(static_cast<char>(image[i]));
}

} // namespace

void ClearImage(TEepromImage& image)
{
    image.bytes.fill(0);
}

std::uint8_t ImageChecksum(const TEepromImage& image)
{
    const auto first = image.bytes.begin() + io::kChecksummedFirst;
    const auto last = image.bytes.begin() + io::kChecksummedLast + 1;
    const auto sum = static_cast<std::uint8_t>(std::accumulate(first, last, 0u));
    return static_cast<std::uint8_t>(~sum);
}

void EncodeImage(const TSettingsRecord& settings, TEepromImage& target)
{
    ClearImage(target);
    Image& image = target.bytes;
    const Record& record = settings.bytes;

    std::fill_n(image.begin() + io::kHeader, io::kHeaderSize, io::kHeaderByte);
    CopyToImage(record, ro::kReactionTime, ro::kInputCount, image, io::kReactionTime);
    CopyToImage(record, ro::kOutputOffTime, ro::kOutputCount, image, io::kOutputOffTime);
    image[io::kClipRejectTime] = static_cast<std::uint8_t>(record[ro::kClipRejectTime] + io::kClipRejectBias);
    image[io::kCallTime] = record[ro::kCallTime];
    image[io::kFlags] = record[ro::kFlags];
    image[io::kSmsConfirmTime] = record[ro::kSmsConfirmTime];
    image[io::kSmsSendTries] = record[ro::kSmsSendTries];
    image[io::kSmsSendTriesCopy] = record[ro::kSmsSendTries];
    CopyToImage(record, ro::kInputBlockTime, ro::kInputCount, image, io::kInputBlockTime);
    CopyToImage(record, ro::kReportPeriod, io::kReportAndCodesSize, image, io::kReportPeriod);
    // The character bytes whatever the length says: a shortened code sends its stale tail.
    CopyToImage(record, ro::kSmsAccessCode + 1, ro::kSmsAccessCodeCapacity, image, io::kSmsAccessCode);
    image[io::kClipUserFlags] = record[ro::kClipUserFlags];
    image[io::kClipUnknownFlags] = record[ro::kClipUnknownFlags];

    ForEachReactionPair([&](std::size_t pair, std::size_t notification, std::size_t reaction) {
        image[pair] = record[notification];
        image[pair + 1] = record[reaction];
    });

    if (record[ro::kSimPin] != 0) {
        auto out = image.begin() + io::kSimPin;
        *out++ = io::kQuote;
        out = std::copy_n(record.begin() + ro::kSimPin + 1, io::kSimPinCharacters, out);
        *out++ = io::kQuote;
        *out = 0;
    }

    ForEachNumberSlot([&](std::size_t slot, std::size_t field) {
        EncodeNumber(ShortStringValue(&record[field], ro::kPhoneNumberCapacity), image, slot);
    });
    ForEachTextSlot([&](std::size_t slot, std::size_t field) {
        const std::string text = ShortStringValue(&record[field], ro::kSmsTextCapacity);
        std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(slot));
    });

    image[io::kExitTime] = record[ro::kExitTime];
    image[io::kEntryTime] = record[ro::kEntryTime];
    image[io::kSirenTime] = record[ro::kSirenTime];
    image[io::kChecksum] = ImageChecksum(target);
}

void DecodeImage(const TEepromImage& source, TSettingsRecord& settings)
{
    const Image& image = source.bytes;
    Record& record = settings.bytes;

    CopyToRecord(image, io::kReactionTime, ro::kInputCount, record, ro::kReactionTime);
    CopyToRecord(image, io::kOutputOffTime, ro::kOutputCount, record, ro::kOutputOffTime);
    record[ro::kClipRejectTime] = static_cast<std::uint8_t>(image[io::kClipRejectTime] - io::kClipRejectBias);
    record[ro::kCallTime] = image[io::kCallTime];
    record[ro::kFlags] = image[io::kFlags];
    record[ro::kSmsConfirmTime] = image[io::kSmsConfirmTime];
    record[ro::kSmsSendTries] = image[io::kSmsSendTriesCopy];
    CopyToRecord(image, io::kInputBlockTime, ro::kInputCount, record, ro::kInputBlockTime);
    CopyToRecord(image, io::kReportPeriod, io::kReportAndCodesSize, record, ro::kReportPeriod);

    // Always four characters, also when the module holds NUL bytes there.
    ShortString accessCode = SmsAccessCode(settings);
    accessCode.clear();
    for (std::size_t i = 0; i < ro::kSmsAccessCodeCapacity; ++i)
        accessCode.append(static_cast<char>(image[io::kSmsAccessCode + i]));

    record[ro::kClipUserFlags] = image[io::kClipUserFlags];
    record[ro::kClipUnknownFlags] = image[io::kClipUnknownFlags];

    ForEachReactionPair([&](std::size_t pair, std::size_t notification, std::size_t reaction) {
        record[notification] = image[pair];
        record[reaction] = image[pair + 1];
    });

    ShortString pin = SimPin(settings);
    pin.clear();
    if (image[io::kSimPin] == io::kQuote) {
        for (std::size_t i = 1; i <= io::kSimPinCharacters; ++i)
            pin.append(static_cast<char>(image[io::kSimPin + i]));
    }

    ForEachNumberSlot([&](std::size_t slot, std::size_t field) {
        ShortString number(&record[field], ro::kPhoneNumberCapacity);
        number.clear();
        if (image[slot] == io::kQuote)
            AppendUntil(image, slot + 1, number, [](std::uint8_t byte) { return byte == io::kQuote; });
    });
    ForEachTextSlot([&](std::size_t slot, std::size_t field) {
        ShortString text(&record[field], ro::kSmsTextCapacity);
        text.clear();
        AppendUntil(image, slot, text, [](std::uint8_t byte) { return byte == 0; });
    });

    record[ro::kExitTime] = image[io::kExitTime];
    record[ro::kEntryTime] = image[io::kEntryTime];
    record[ro::kSirenTime] = image[io::kSirenTime];
}

} // namespace morvel
