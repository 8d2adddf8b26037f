#include "link/data_packet.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace morvel {
namespace {

struct FramerCase {
    const char* name;
    std::vector<std::string> receptions;
    bool handlerEmpties; // the handler empties the buffer on every call with text
    std::vector<std::string> expectedCalls;
    std::string bufferAfter;
};

void PrintTo(const FramerCase& c, std::ostream* out)
{
    *out << c.name;
}


class FramerContract : public ::testing::TestWithParam<FramerCase> {};

TEST_P(FramerContract, CallsTheHandlerWithTheWholeBufferAndCutsAtTheFirstStop)
{
    const FramerCase& c = GetParam();
    std::vector<std::string> calls;
    DataPacket framer;
    framer.SetHandler([&](const std::string& text) {
        calls.push_back(text);
        if (c.handlerEmpties && !text.empty())
            framer.Empty();
    });
    for (const std::string& reception : c.receptions)
        framer.HandleReception(reception);
    EXPECT_EQ(calls, c.expectedCalls);
    EXPECT_EQ(framer.Buffer(), c.bufferAfter);
}

const std::string k1030(1030, 'x');
const std::string k1023(1023, 'y');
const std::string k1024(1024, 'z');

INSTANTIATE_TEST_SUITE_P(
    Deliveries, FramerContract,
    ::testing::Values(
        FramerCase{"NoStopWaits", {"OK"}, false, {"OK"}, "OK"},
        FramerCase{"StopSplitAcrossReceptions", {"OK", "*1"}, false, {"OK", "OK*1", ""}, ""},
        FramerCase{"StarAloneThenOne", {"OK*", "1"}, false, {"OK*", "OK*1", ""}, ""},
        FramerCase{"TwoRepliesInOneReception", {"A*1B*1"}, false, {"A*1B*1", "B*1", ""}, ""},
        FramerCase{"BytesAfterLastStopKept", {"A*1xy", "z"}, false, {"A*1xy", "xy", "xyz"}, "xyz"},
        FramerCase{"StopAtStartIsCut", {"*1*1"}, false, {"*1*1", "*1", ""}, ""},
        FramerCase{"EmptiedBufferGetsOneEmptyCall", {"abc", "d"}, true, {"abc", "", "d", ""}, ""},
        FramerCase{"EmptyingBeatsTheCut", {"a*1b"}, true, {"a*1b", ""}, ""},
        FramerCase{"OversizeBufferDiscardedAfterTheCall", {k1030, "Q"}, false, {k1030, "Q"}, "Q"},
        FramerCase{"BufferBelowLimitKept", {k1023, "Q"}, false, {k1023, k1023 + "Q"}, ""},
        FramerCase{"BufferAtLimitDiscarded", {k1024, "Q"}, false, {k1024, "Q"}, "Q"}),
    [](const ::testing::TestParamInfo<FramerCase>& info) { return std::string(info.param.name); });

TEST(Framer, EmptyingAnAlreadyEmptyBufferAddsNoCall)
{
    int calls = 0;
    DataPacket framer;
    framer.SetHandler([&](const std::string&) {
        ++calls;
        framer.Empty();
    });
    framer.HandleReception("");
    EXPECT_EQ(calls, 1);
}

TEST(Framer, BufferSurvivesBetweenReceptionsUntilCutOrEmptied)
{
    std::vector<std::string> calls;
    DataPacket framer([&](const std::string& text) { calls.push_back(text); });
    framer.HandleReception("ab*1cd");
    framer.Empty(); // e.g. a reading run starting
    framer.HandleReception("ef");
    EXPECT_EQ(calls, (std::vector<std::string>{"ab*1cd", "cd", "ef"}));
}

} // namespace
} // namespace morvel
