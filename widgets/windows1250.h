#pragma once

#include <QString>

namespace morvel {

// Texts reach the record, the notes and the module as single Windows-1250 bytes. Characters
// outside that code page (emoji, Cyrillic, CJK) would turn into substitutes there, so the
// fields that feed the record refuse them where they are typed or pasted.

// True when the platform can convert to Windows-1250. Checked once at program start.
bool Windows1250Available();

// True when Windows-1250 holds every character of the text.
bool FitsWindows1250(const QString& text);

// The text without the characters Windows-1250 cannot hold. When `caret` is given, it is
// moved left by the number of characters removed in front of it.
QString KeepWindows1250(const QString& text, int* caret = nullptr);

} // namespace morvel
