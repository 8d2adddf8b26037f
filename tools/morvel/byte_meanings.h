#pragma once

#include <cstdint>
#include <string>

// Plain-English meanings of the bit bytes of the record, for the dump.
namespace morvel::cli {

// "inactive" or the list of switched outputs; `exitTimeBit` names bit 0 as the exit-time function
// (special entry 5, edge 2) instead of the delayed reaction of an input.
std::string OutputReactionMeaning(std::uint8_t reaction, bool exitTimeBit);
std::string NotificationMeaning(std::uint8_t notification);
std::string FlagsMeaning(std::uint8_t flags);
std::string ClipFlagsMeaning(std::uint8_t flags, bool userFlags);

} // namespace morvel::cli
