#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace morvel::sim {

// How the simulated module behaves, including the faults of real modules and cables.
struct ModuleOptions {
    // Reply to frames 1 to 26; also the reply to frame 27. One without "OK*1" makes the tool
    // send "*5*1", which the module then confirms with "OK*1". "*1" alone is a faulty module.
    std::string acknowledgement = "OK*1";
    // Replies sent before the module falls silent for good; -1 answers forever, 0 never.
    long repliesBeforeSilence = -1;
    // Each reply is written in pieces of this many bytes, a few milliseconds apart (0: whole).
    std::size_t splitBytes = 0;
    std::chrono::milliseconds splitGap{5};
    // Junk bytes (no '*') sent ahead of each reply, as a noisy line delivers them.
    std::size_t garbageBytes = 0;
    // Wait before each reply.
    std::chrono::milliseconds delay{0};
    // Bytes move at the wire rate of 115200 baud, 10 bits a byte, in both directions.
    bool paceAtWireRate = false;
    // Hang up (close the line) once the module has sent this many bytes; -1 never.
    long hangUpAfterBytes = -1;
    // A worn memory cell: the programmed byte at this memory offset is stored with its lowest
    // bit flipped; -1 stores every byte as sent.
    long corruptOffset = -1;
    // Run the module's thread at real-time priority where the system allows it, so that it
    // answers on time like the module's own microcontroller even on a busy machine.
    bool realTimePriority = false;
};

} // namespace morvel::sim
