#include "editor/binding.h"
#include "rules_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace morvel::test {
namespace {

// Offsets restated from the record layout.
constexpr std::size_t kInputTextBase = 189;
constexpr std::size_t kTextStride = 37;
constexpr std::size_t kTextCount = 28; // 16 input texts and 12 special texts in one run
constexpr std::size_t kTextCapacity = 36;
constexpr std::size_t kNotesEntry = 282;

void PutText(std::uint8_t* field, std::string_view text)
{
    field[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), field + 1);
}

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

// A record the window can show as it is: values within the controls' ranges, no two CLIP actions
// for one output, and every option on, so that no interlock changes a field. The bytes no control
// shows (reserved bytes, reaction bytes, string tails) hold a pattern that must come back.
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

template <std::size_t N>
void ExpectSameBytes(const std::array<std::uint8_t, N>& stored, const std::array<std::uint8_t, N>& loaded)
{
    for (std::size_t i = 0; i < N; ++i)
        EXPECT_EQ(int(stored[i]), int(loaded[i])) << "byte " << i;
}

TEST(BindingRoundTrip, RecordComesBackByteForByte)
{
    ControlTree tree;
    tree.WireUp();
    const TSettingsRecord loaded = ShowableRecord();
    LoadRecordPass(tree.window(), loaded);
    TSettingsRecord stored = loaded;
    StoreRecordPass(tree.window(), stored);
    ExpectSameBytes(stored.bytes, loaded.bytes);
}

TEST(BindingRoundTrip, StorePassWritesEveryBoundFieldFromTheControls)
{
    ControlTree tree;
    tree.WireUp();
    const TSettingsRecord loaded = ShowableRecord();
    LoadRecordPass(tree.window(), loaded);
    TSettingsRecord stored; // zero: every byte the controls write must turn up again
    StoreRecordPass(tree.window(), stored);
    TSettingsRecord expected = loaded;
    for (std::size_t i = 0; i < expected.bytes.size(); ++i) {
        const bool unbound = (i == 13 || i == 40 || (i >= 41 && i < 101)) && i != 82;
        if (unbound)
            expected.bytes[i] = 0;
    }
    expected.bytes[82] = loaded.bytes[82] & 0x01;
    // String tails are not written: compare the texts up to their lengths only.
    for (std::size_t t = 0; t < kTextCount; ++t) {
        const std::size_t at = kInputTextBase + kTextStride * t;
        for (std::size_t c = 1 + loaded.bytes[at]; c <= kTextCapacity; ++c)
            expected.bytes[at + c] = 0;
    }
    for (std::size_t at : {std::size_t{33}, std::size_t{101}, std::size_t{109}, std::size_t{125}, std::size_t{141},
                           std::size_t{157}, std::size_t{173}}) {
        const std::size_t capacity = at == 33 ? 4 : at == 101 ? 7 : 15;
        for (std::size_t c = 1 + loaded.bytes[at]; c <= capacity; ++c)
            expected.bytes[at + c] = 0;
    }
    ExpectSameBytes(stored.bytes, expected.bytes);
}

TEST(BindingRoundTrip, NotesComeBackByteForByte)
{
    ControlTree tree;
    TUserNotes loaded;
    for (std::size_t i = 0; i < loaded.bytes.size(); ++i)
        loaded.bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
    int next = kFirstPrintable;
    for (std::size_t u = 0; u < 4; ++u) {
        PutText(&loaded.bytes[kNotesEntry * u], Characters(30 - u, next, kFirstPrintable));
        std::string notes = Characters(100, next, kFirstPrintable) + "\r\n"
                            + Characters(100, next, kFirstPrintable) + "\r\n\r\n";
        PutText(&loaded.bytes[kNotesEntry * u + 31], notes);
    }
    LoadUserNotes(tree.window(), loaded);
    TUserNotes stored = loaded;
    StoreUserNotes(tree.window(), stored);
    ExpectSameBytes(stored.bytes, loaded.bytes);
}

} // namespace
} // namespace morvel::test
