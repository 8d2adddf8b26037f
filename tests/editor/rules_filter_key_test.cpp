#include "editor/entry_rules.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace morvel {
namespace {

constexpr QChar kRefused = QChar(0);

struct FilterCase {
    const char* what;
    const char* text;
    int caret;
    QChar key;
    QChar plusMarker;
    QChar minusMarker;
    bool passes;
};

void PrintTo(const FilterCase& c, std::ostream* out) { *out << c.what; }

class FilterKeyTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterKeyTest, LetsThroughOnlyWhatTheMarkersAllow)
{
    const FilterCase& c = GetParam();
    const QChar result = FilterKey(QString::fromUtf8(c.text), c.caret, c.key, c.plusMarker, c.minusMarker);
    EXPECT_EQ(result, c.passes ? c.key : kRefused);
}

const QChar P(u'+');
const QChar M(u'-');
const QChar D(u'$');

INSTANTIATE_TEST_SUITE_P(
    NumberMarkers, FilterKeyTest,
    ::testing::Values(
        FilterCase{"digit anywhere", "+4860", 5, QChar(u'7'), P, M, true},
        FilterCase{"zero", "", 0, QChar(u'0'), P, M, true},
        FilterCase{"nine", "12", 1, QChar(u'9'), P, M, true},
        FilterCase{"backspace", "+48", 3, QChar(8), P, M, true},
        FilterCase{"tab", "+48", 3, QChar(9), P, M, true},
        FilterCase{"plus into empty field", "", 0, P, P, M, true},
        FilterCase{"minus into empty field", "", 0, M, P, M, true},
        FilterCase{"plus behind the first character", "4", 1, P, P, M, true},
        FilterCase{"plus at caret 2", "48", 2, P, P, M, false},
        FilterCase{"second plus", "+48", 0, P, P, M, false},
        FilterCase{"minus after a plus", "+48", 0, M, P, M, false},
        FilterCase{"plus after a minus", "-48", 1, P, P, M, false},
        FilterCase{"plus marker inside the text", "4+8", 0, P, P, M, false},
        FilterCase{"letter", "", 0, QChar(u'a'), P, M, false},
        FilterCase{"space", "12", 2, QChar(u' '), P, M, false},
        FilterCase{"Polish letter", "", 0, QChar(u'ą'), P, M, false},
        FilterCase{"Ctrl+V character", "", 0, QChar(0x16), P, M, false},
        FilterCase{"Ctrl+C character", "12", 0, QChar(0x03), P, M, false},
        FilterCase{"Ctrl+X character", "12", 0, QChar(0x18), P, M, false},
        FilterCase{"enter", "12", 2, QChar(13), P, M, false},
        FilterCase{"null", "", 0, QChar(0), P, M, false}));

INSTANTIATE_TEST_SUITE_P(
    PinMarkers, FilterKeyTest,
    ::testing::Values(
        FilterCase{"digit", "12", 2, QChar(u'3'), D, D, true},
        FilterCase{"backspace", "12", 2, QChar(8), D, D, true},
        FilterCase{"plus barred", "", 0, P, D, D, false},
        FilterCase{"minus barred", "", 0, M, D, D, false},
        FilterCase{"letter", "1", 1, QChar(u'x'), D, D, false},
        FilterCase{"dollar", "", 0, D, D, D, false}));

// A marker of '$' bars only its own sign: the other sign follows the usual rules.
INSTANTIATE_TEST_SUITE_P(
    OneSignBarred, FilterKeyTest,
    ::testing::Values(
        FilterCase{"plus barred, minus allowed", "", 0, M, D, M, true},
        FilterCase{"plus barred itself", "", 0, P, D, M, false},
        FilterCase{"minus barred, plus allowed", "", 1, P, P, D, true},
        FilterCase{"dollar in text bars every sign", "$", 0, P, P, D, false}));

} // namespace
} // namespace morvel
