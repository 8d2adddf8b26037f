#pragma once

#include "model/settings_record.h"

#include <QStringList>

namespace morvel {

// Checks made before the first frame goes out, so that the module never gets settings that
// differ from what the operator sees. Each returns the information-list lines of its refusals,
// empty when programming may go on.

// A SIM PIN is programmed as exactly four characters: a shorter one would reach the module
// padded with stale characters of an earlier PIN, a longer one cut. Empty (no PIN) is fine.
QStringList CheckSimPin(const TSettingsRecord& record);

// Decoding `image` must give back the record's SMS centre, user numbers and texts: a number too
// long for its slot loses its last character or spills its quote into the next field.
QStringList CheckImageRoundTrip(const TSettingsRecord& record, const TEepromImage& image);

} // namespace morvel
