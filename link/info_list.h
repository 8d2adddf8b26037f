#pragma once

#include "link/link_interfaces.h"

namespace morvel {

// The list keeps the newest lines: appending to a full list first drops the oldest line.
inline constexpr int kInfoListMaxLines = 7;

// Deletes the first (oldest) line when the list holds kInfoListMaxLines lines or more.
void TrimInfoList(InfoList& list);

// TrimInfoList, then adds the line at the end; returns the new line's index.
int AppendInfoLine(InfoList& list, const QString& text);

// Busy: cursor busy, then "Program settings" and "Read settings" disabled; leaving reverses it.
void EnterBusy(RunControls& controls);
void LeaveBusy(RunControls& controls);

} // namespace morvel
