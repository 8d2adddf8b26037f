// Feeds arbitrary bytes to the settings file reader. A refused file must leave the record and
// the notes untouched; an accepted one must write back to a stream that reads the same blocks.
#include "model/settings_stream.h"

#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace morvel;
    constexpr std::uint8_t kRecordFiller = 0x5A;
    constexpr std::uint8_t kNotesFiller = 0xA5;
    TSettingsRecord record;
    record.bytes.fill(kRecordFiller);
    TUserNotes notes;
    notes.bytes.fill(kNotesFiller);

    const std::span<const std::uint8_t> stream(data, size);
    if (InflateSettings(stream, record, notes)) {
        TSettingsRecord untouchedRecord;
        untouchedRecord.bytes.fill(kRecordFiller);
        TUserNotes untouchedNotes;
        untouchedNotes.bytes.fill(kNotesFiller);
        if (!(record == untouchedRecord) || !(notes == untouchedNotes))
            std::abort();
        return 0;
    }
    TSettingsRecord again;
    TUserNotes againNotes;
    if (InflateSettings(DeflateSettings(record, notes), again, againNotes) || !(again == record) ||
        !(againNotes == notes))
        std::abort();
    return 0;
}
