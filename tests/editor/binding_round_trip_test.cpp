#include "editor/binding.h"
#include "rules_fixture.h"
#include "rules_sample_record.h"

#include <gtest/gtest.h>

#include <string>

namespace morvel::test {
namespace {

// Offsets restated from the record layout.
constexpr std::size_t kInputTextBase = 189;
constexpr std::size_t kTextStride = 37;
constexpr std::size_t kTextCount = 28; // 16 input texts and 12 special texts in one run
constexpr std::size_t kTextCapacity = 36;

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
    const TUserNotes loaded = SampleNotes();
    LoadUserNotes(tree.window(), loaded);
    TUserNotes stored = loaded;
    StoreUserNotes(tree.window(), stored);
    ExpectSameBytes(stored.bytes, loaded.bytes);
}

} // namespace
} // namespace morvel::test
