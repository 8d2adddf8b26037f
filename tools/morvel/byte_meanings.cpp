#include "tools/morvel/byte_meanings.h"

#include "model/record_offsets.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace morvel::cli {

namespace ro = record_offset;

namespace {

using BitName = std::pair<std::uint8_t, std::string_view>;

constexpr std::string_view kDelayedReaction = "delayed reaction";
constexpr std::string_view kExitTimeFunction = "exit-time function";

// The names of the set bits, in table order.
template <std::size_t N>
std::vector<std::string> SetBits(std::uint8_t value, const std::array<BitName, N>& names)
{
    std::vector<std::string> set;
    for (const auto& [mask, name] : names) {
        if ((value & mask) != 0)
            set.emplace_back(name);
    }
    return set;
}

// "(a, b, c)", or "(none)" with the given word when the list is empty.
std::string Listed(const std::vector<std::string>& names, std::string_view none)
{
    if (names.empty())
        return "(" + std::string(none) + ")";
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return "(" + text + ")";
}

constexpr std::array<BitName, 7> kReactionBits{{
    {ro::kReactionOutput1On, "output 1 on"},
    {ro::kReactionOutput1Off, "output 1 off"},
    {ro::kReactionOutput2On, "output 2 on"},
    {ro::kReactionOutput2Off, "output 2 off"},
    {ro::kReactionImmobiliser, "immobiliser on"},
    {ro::kReactionSiren, "siren on"},
    {ro::kReactionDelayed, kDelayedReaction},
}};

constexpr std::array<BitName, 8> kNotificationBits{{
    {ro::NotifySmsBit(1), "SMS user 1"}, {ro::NotifyClipBit(1), "CLIP user 1"},
    {ro::NotifySmsBit(2), "SMS user 2"}, {ro::NotifyClipBit(2), "CLIP user 2"},
    {ro::NotifySmsBit(3), "SMS user 3"}, {ro::NotifyClipBit(3), "CLIP user 3"},
    {ro::NotifySmsBit(4), "SMS user 4"}, {ro::NotifyClipBit(4), "CLIP user 4"},
}};

constexpr std::array<BitName, 8> kFlagBits{{
    {ro::kFlagOutput1BySms, "output 1 by SMS"},
    {ro::kFlagOutput2BySms, "output 2 by SMS"},
    {ro::kFlagOutput1AutoOff, "output 1 off by time"},
    {ro::kFlagOutput2AutoOff, "output 2 off by time"},
    {ro::kFlagPeriodicReport, "periodic report"},
    {ro::kFlagSmsProgramming, "SMS programming"},
    {ro::kFlagUnusedBit6, "unused bit 6"},
    {ro::kFlagUnusedBit7, "unused bit 7"},
}};

constexpr std::array<BitName, 7> kClipBits{{
    {ro::kClipEnableOutput1, "enable output 1"},
    {ro::kClipEnableOutput2, "enable output 2"},
    {ro::kClipDisableOutput1, "disable output 1"},
    {ro::kClipDisableOutput2, "disable output 2"},
    {ro::kClipToggleOutput1, "toggle output 1"},
    {ro::kClipToggleOutput2, "toggle output 2"},
    {ro::kClipReportToUser1, "report to user 1"},
}};

} // namespace

std::string OutputReactionMeaning(std::uint8_t reaction, bool exitTimeBit)
{
    std::vector<std::string> names;
    if ((reaction & ro::kReactionInactive) != 0)
        names.emplace_back("inactive");
    for (std::string& name : SetBits(reaction, kReactionBits))
        names.push_back(exitTimeBit && name == kDelayedReaction ? std::string(kExitTimeFunction) : std::move(name));
    return Listed(names, "no output");
}

std::string NotificationMeaning(std::uint8_t notification)
{
    return Listed(SetBits(notification, kNotificationBits), "nobody");
}

std::string FlagsMeaning(std::uint8_t flags)
{
    return Listed(SetBits(flags, kFlagBits), "none");
}

std::string ClipFlagsMeaning(std::uint8_t flags, bool userFlags)
{
    std::vector<std::string> names = SetBits(flags, kClipBits);
    if ((flags & ro::kClipForwardUnknownSms) != 0)
        names.emplace_back(userFlags ? "forward unidentified SMS to user 1" : "hidden bit 7");
    return Listed(names, "none");
}

} // namespace morvel::cli
