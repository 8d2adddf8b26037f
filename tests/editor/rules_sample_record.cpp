#include "rules_sample_record.h"

#include <algorithm>
#include <string>

namespace morvel::test {

namespace {

// Offsets restated from the record and notes layouts.
constexpr std::size_t kInputTextBase = 189;
constexpr std::size_t kTextStride = 37;
constexpr std::size_t kTextCount = 28; // 16 input texts and 12 special texts in one run
constexpr std::size_t kTextCapacity = 36;
constexpr std::size_t kNotesEntry = 282;
constexpr std::size_t kNotesText = 31;

// Byte values from `first` to 255 in turn, so that every character of the code page passes the
// controls. One-line fields keep control characters; the notes memo keeps only its line breaks.
constexpr int kFirstNonNul = 0x01;
constexpr int kFirstPrintable = 0x20;
std::string Characters(std::size_t count, int& next, int first)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(static_cast<char>(next));
        next = next == 255 ? first : next + 1;
    }
    return text;
}

} // namespace

void PutText(std::uint8_t* field, std::string_view text)
{
    field[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), field + 1);
}

TSettingsRecord ShowableRecord()
{
    TSettingsRecord r;
    for (std::size_t i = 0; i < r.bytes.size(); ++i)
        r.bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const std::uint8_t timers[] = {1, 2, 3, 4, 5, 6, 7, 255, 50, 60, 240, 30, 0x3F};
    std::copy(std::begin(timers), std::end(timers), r.bytes.begin());
    r.bytes[14] = 20;
    r.bytes[15] = 10;
    for (std::size_t i = 0; i < 8; ++i)
        r.bytes[16 + i] = static_cast<std::uint8_t>(100 + i);
    r.bytes[24] = 24;
    const char codes[] = "ON\xB9\xEA" "1a2b";
    std::copy(codes, codes + 8, r.bytes.begin() + 25);
    PutText(&r.bytes[33], "Ab12");
    r.bytes[38] = 0xC9; // enable output 1, disable output 2, report, unknown SMS
    r.bytes[39] = 0xB0; // change both outputs, hidden bit 7
    PutText(&r.bytes[101], "1234");
    PutText(&r.bytes[109], "+48602951111");
    const char* const numbers[] = {"+48500100200", "12 34", "", "+1"};
    for (std::size_t u = 0; u < 4; ++u)
        PutText(&r.bytes[125 + 16 * u], numbers[u]);
    int next = kFirstNonNul;
    for (std::size_t t = 0; t < kTextCount; ++t)
        PutText(&r.bytes[kInputTextBase + kTextStride * t],
                Characters(t % 2 ? kTextCapacity : 20 + t % 7, next, kFirstNonNul));
    r.bytes[1225] = 5;
    r.bytes[1226] = 6;
    r.bytes[1227] = 7;
    return r;
}

TUserNotes SampleNotes()
{
    TUserNotes notes;
    for (std::size_t i = 0; i < notes.bytes.size(); ++i)
        notes.bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
    int next = kFirstPrintable;
    for (std::size_t u = 0; u < 4; ++u) {
        PutText(&notes.bytes[kNotesEntry * u], Characters(30 - u, next, kFirstPrintable));
        const std::string text = Characters(100, next, kFirstPrintable) + "\r\n"
                                 + Characters(100, next, kFirstPrintable) + "\r\n\r\n";
        PutText(&notes.bytes[kNotesEntry * u + kNotesText], text);
    }
    return notes;
}

} // namespace morvel::test
