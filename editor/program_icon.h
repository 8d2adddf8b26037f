#pragma once

#include <QIcon>
#include <QPixmap>

namespace morvel {

// The program's picture, drawn in code: the application icon and the about box picture.
QIcon ProgramIcon();
// The same picture at one size, square.
QPixmap ProgramPicture(int size);

} // namespace morvel
