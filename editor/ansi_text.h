#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace morvel {

// Texts in the record and the notes block are Windows-1250 bytes; controls hold Unicode.
// Every text crosses between the two here and nowhere else. Whether the platform can convert
// Windows-1250 at all is checked once at start-up (widgets/windows1250.h).

// The text a control shows for the bytes of a record field: a NUL byte ends the text shown.
QString AnsiToText(std::string_view bytes);

// The bytes a record field takes for a control's text. A character Windows-1250 cannot hold
// becomes '?', so that a stored text never carries the converter's substitute byte.
std::string TextToAnsi(const QString& text);

} // namespace morvel
