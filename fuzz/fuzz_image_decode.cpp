// Decodes arbitrary module images. The decoder must stay inside the image and the record and
// leave the reserved record bytes alone; encoding the result must not fail either.
#include "model/image_codec.h"
#include "model/image_offsets.h"
#include "model/record_offsets.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace morvel;
    namespace ro = record_offset;
    constexpr std::uint8_t kFiller = 0xC3;

    TEepromImage image;
    std::copy_n(data, std::min(size, kImageSize), image.bytes.begin());
    TSettingsRecord record;
    record.bytes.fill(kFiller);
    DecodeImage(image, record);

    const bool reservedKept = record.bytes[ro::kReserved13] == kFiller && record.bytes[ro::kReserved40] == kFiller &&
                              std::all_of(record.bytes.begin() + ro::kReserved85,
                                          record.bytes.begin() + ro::kReserved85 + ro::kReservedCount85,
                                          [](std::uint8_t b) { return b == kFiller; });
    if (!reservedKept)
        std::abort();

    TEepromImage encoded;
    EncodeImage(record, encoded);
    if (!std::all_of(encoded.bytes.begin() + image_offset::kMeaningfulEnd, encoded.bytes.end(), [](std::uint8_t b) { return b == 0; }))
        std::abort();
    return 0;
}
