#include "model/defaults.h"

#include "model/record_fields.h"
#include "model/record_offsets.h"

namespace morvel {

namespace ro = record_offset;

namespace {

constexpr std::uint8_t kDefaultTime = 1;        // the shortest setting of every timer that has a default
constexpr std::uint8_t kNoNotification = 0;

void ClearLength(TSettingsRecord& record, std::size_t lengthByte)
{
    record.bytes[lengthByte] = 0;
}

} // namespace

void ApplyDefaults(TSettingsRecord& record)
{
    ClearLength(record, ro::kSmsAccessCode);
    ClearLength(record, ro::kSimPin);
    for (int user = 1; user <= ro::kUserCount; ++user)
        ClearLength(record, UserNumberOffset(user));
    for (int output = 1; output <= ro::kOutputCount; ++output) {
        SetEnableCode(record, output, {});
        SetDisableCode(record, output, {});
    }
    for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
        for (int input = 1; input <= ro::kInputCount; ++input) {
            ClearLength(record, InputTextOffset(input, edge));
            record.bytes[InputOutputReactionOffset(input, edge)] = ro::kReactionInactive;
            record.bytes[InputNotificationOffset(input, edge)] = kNoNotification;
        }
        for (int special = 1; special <= ro::kSpecialCount; ++special) {
            ClearLength(record, SpecialTextOffset(special, edge));
            record.bytes[SpecialOutputReactionOffset(special, edge)] = ro::kReactionInactive;
            record.bytes[SpecialNotificationOffset(special, edge)] = kNoNotification;
        }
    }
    for (int input = 1; input <= ro::kInputCount; ++input) {
        record.bytes[ReactionTimeOffset(input)] = kDefaultTime;
        record.bytes[InputBlockTimeOffset(input)] = kDefaultTime;
    }
    record.bytes[ro::kExitTime] = kDefaultTime;
    record.bytes[ro::kEntryTime] = kDefaultTime;
    record.bytes[ro::kSirenTime] = kDefaultTime;
}

} // namespace morvel
