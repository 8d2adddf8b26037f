#pragma once

#include <QString>

class QWidget;

namespace morvel {

// CLIP options exclude each other per output: of "switch on", "switch off" and "change the state"
// of one output, one at most is ticked. While the box `prefix`+`own` is ticked its two partners
// (`prefix`+`first`, `prefix`+`second`) are disabled and cleared; clearing a partner runs the
// partner's own interlock at once, so the partners' partners are enabled again before the second
// partner is handled. The window's lookup by name ignores letter case.
void ClipInterlock(QWidget& window, const QString& prefix, const QString& own, const QString& first,
                   const QString& second);

// The output options of the window: each enables the fields and labels that only matter while it
// is ticked; the SMS codes and the SMS access code are emptied while their option is off.
void ChBFlags_0Click(QWidget& window); // SMS codes of output 1
void ChBFlags_1Click(QWidget& window); // SMS codes of output 2
void ChBFlags_2Click(QWidget& window); // automatic switch-off of output 1
void ChBFlags_3Click(QWidget& window); // automatic switch-off of output 2
void ChBFlags_4Click(QWidget& window); // periodic report
void ChBFlags_5Click(QWidget& window); // programming by SMS

// Binds the twelve CLIP boxes and the six output options to the routines above. Their handlers
// run whenever a tick changes, also when the program sets it.
void ConnectInterlocks(QWidget& window);

} // namespace morvel
