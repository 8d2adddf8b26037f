#pragma once

#include "model/settings_record.h"

namespace morvel {

// Writes the start-up values into the record: one-unit timers, inactive reactions, no
// notifications, empty codes and texts. Only the length bytes of texts are written; the
// SMS centre, the other timers, the flag bytes and the reserved bytes are left as they are.
void ApplyDefaults(TSettingsRecord& record);

} // namespace morvel
