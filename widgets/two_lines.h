#pragma once

#include <QString>

class QFontMetrics;

namespace morvel {

// The caption broken between two of its words onto two lines, at the blank where the longer line
// is shortest in the given font; a caption of one word stays whole.
QString OnTwoLines(const QString& caption, const QFontMetrics& metrics);

} // namespace morvel
