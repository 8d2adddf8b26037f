#include "model/defaults.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

namespace morvel {
namespace {

// The bytes ApplyDefaults writes and their values; every other byte is left alone.
std::map<std::size_t, std::uint8_t> ExpectedDefaults()
{
    std::map<std::size_t, std::uint8_t> bytes;
    auto fill = [&](std::size_t first, std::size_t last, std::uint8_t value) {
        for (std::size_t i = first; i <= last; ++i)
            bytes[i] = value;
    };
    fill(0, 7, 1);        // reaction times
    fill(16, 23, 1);      // block times
    fill(25, 32, 0);      // enable and disable codes
    bytes[33] = 0;        // access code length
    fill(41, 56, 0x80);   // input output reactions
    fill(57, 72, 0);      // input notifications
    fill(73, 84, 0x80);   // special output reactions
    fill(89, 100, 0);     // special notifications
    bytes[101] = 0;       // SIM PIN length
    for (std::size_t user = 0; user < 4; ++user)
        bytes[125 + 16 * user] = 0;
    for (std::size_t text = 0; text < 28; ++text) // 16 input texts and 12 special texts follow each other
        bytes[189 + 37 * text] = 0;
    fill(1225, 1227, 1);  // exit, entry, siren times
    return bytes;
}

TEST(Defaults, ZeroRecordBecomesTheStartUpRecord)
{
    TSettingsRecord record;
    ApplyDefaults(record);
    const auto expected = ExpectedDefaults();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const auto it = expected.find(i);
        ASSERT_EQ(record.bytes[i], it == expected.end() ? 0 : it->second) << "byte " << i;
    }
}

TEST(Defaults, OnlyTheDefaultedBytesChange)
{
    // Character bytes of texts, the SMS centre, the other timers, flags and reserved bytes stay.
    constexpr std::uint8_t kFiller = 0xAB;
    TSettingsRecord record;
    record.bytes.fill(kFiller);
    ApplyDefaults(record);
    const auto expected = ExpectedDefaults();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const auto it = expected.find(i);
        ASSERT_EQ(record.bytes[i], it == expected.end() ? kFiller : it->second) << "byte " << i;
    }
}

} // namespace
} // namespace morvel
