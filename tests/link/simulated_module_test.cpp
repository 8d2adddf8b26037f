// The simulated module's side of the protocol, without a terminal: the end-to-end tests rely
// on it behaving like the real module.
#include "module_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvel::sim {
namespace {

using Replies = std::vector<std::string>;

// Frame k of a programming run carrying `payloadByte` throughout (29 bytes first, then 49).
std::string Frame(int k, char payloadByte)
{
    return "*0" + std::string(k == 1 ? 25 : 45, payloadByte) + "*1";
}

TEST(SimulatedModule, StoresTheFramesInOrderEvenWithStopPairsInThePayload)
{
    ModuleLogic module;
    EXPECT_EQ(module.Receive("*2*1"), Replies{"OK*1"});
    std::string frame1 = Frame(1, 'a');
    frame1[5] = '*';
    frame1[6] = '1';
    EXPECT_EQ(module.Receive(frame1), Replies{"OK*1"});
    for (int k = 2; k <= 27; ++k)
        EXPECT_EQ(module.Receive(Frame(k, char('a' + k % 26))), Replies{"OK*1"}) << "frame " << k;

    EXPECT_EQ(module.memory()[3], '*');
    EXPECT_EQ(module.memory()[4], '1');
    EXPECT_EQ(module.memory()[25], 'c');   // frame 2 starts at byte 25
    EXPECT_EQ(module.memory()[1194], 'b'); // frame 27 ends at byte 1194
    EXPECT_EQ(module.memory()[1195], 0);
    EXPECT_EQ(module.counters().programmingsDone, 1);
}

TEST(SimulatedModule, AWornCellStoresItsOneByteWrongly)
{
    ModuleLogic module("OK*1", 30);
    module.Receive("*2*1");
    for (int k = 1; k <= 27; ++k)
        module.Receive(Frame(k, 'b'));
    for (std::size_t i = 0; i < 1195; ++i)
        ASSERT_EQ(module.memory()[i], i == 30 ? 'c' : 'b') << "memory byte " << i;
}

TEST(SimulatedModule, AcknowledgementWithoutOkWaitsForTheFinishCommand)
{
    ModuleLogic module("A*1");
    module.Receive("*2*1");
    std::string frames;
    for (int k = 1; k <= 27; ++k)
        frames += Frame(k, 'x');
    EXPECT_EQ(module.Receive(frames), Replies(27, "A*1")); // all frames in one reception
    EXPECT_EQ(module.counters().programmingsDone, 0);
    EXPECT_EQ(module.Receive("*5*1"), Replies{"OK*1"});
    EXPECT_EQ(module.counters().programmingsDone, 1);
}

TEST(SimulatedModule, ReadReplyIsOneByteTheFirst1700MemoryBytesAndTheStop)
{
    ModuleLogic module;
    ModuleMemory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = std::uint8_t(i * 7);
    module.SetMemory(memory);
    const Replies replies = module.Receive("*3");
    EXPECT_TRUE(replies.empty());
    const Replies read = module.Receive("*1");
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].size(), 1703u);
    EXPECT_EQ(read[0].substr(1, 1700), std::string(memory.begin(), memory.begin() + 1700));
    EXPECT_EQ(read[0].substr(1701), "*1");
}

TEST(SimulatedModule, AbandonedTransferListensForCommandsAgain)
{
    ModuleLogic module;
    const auto start = ModuleLogic::Clock::now();
    module.Receive("*2*1", start);
    module.Receive("*0abc", start); // a frame that never completes
    EXPECT_EQ(module.Receive("*2*1", start + std::chrono::seconds(2)), Replies{"OK*1"});
    EXPECT_EQ(module.counters().programmingStarts, 2);
}

// A module answering slowly (as --delay makes it) still takes the next frame, however long the
// tool took to send it; only a frame left half-way is given up.
TEST(SimulatedModule, FramesAfterALongPauseAreStillFrames)
{
    ModuleLogic module;
    const auto start = ModuleLogic::Clock::now();
    module.Receive("*2*1", start);
    EXPECT_EQ(module.Receive(Frame(1, 'a'), start + std::chrono::seconds(3)), Replies{"OK*1"});
    EXPECT_EQ(module.Receive(Frame(2, 'b'), start + std::chrono::seconds(6)), Replies{"OK*1"});
    EXPECT_EQ(module.counters().framesReceived, 2);
    EXPECT_EQ(module.memory()[0], 'a');
    EXPECT_EQ(module.memory()[25], 'b');
}

// A tool that timed out between frames starts again with "*2*1" where a frame would begin.
TEST(SimulatedModule, CommandWhereAFrameShouldStartStartsAfresh)
{
    ModuleLogic module;
    module.Receive("*2*1");
    module.Receive(Frame(1, 'a'));
    EXPECT_EQ(module.Receive("*2*1"), Replies{"OK*1"});
    EXPECT_EQ(module.counters().programmingStarts, 2);
    EXPECT_EQ(module.Receive(Frame(1, 'c')), Replies{"OK*1"});
    EXPECT_EQ(module.memory()[0], 'c');
}

// Commands that follow an unanswered "*1" in the same reception are answered at once.
TEST(SimulatedModule, EveryCommandOfOneReceptionIsAnswered)
{
    ModuleLogic module;
    const Replies replies = module.Receive("*1*5*1");
    EXPECT_EQ(replies, Replies{"OK*1"});
    EXPECT_EQ(module.counters().finishCommands, 1);
}

} // namespace
} // namespace morvel::sim
