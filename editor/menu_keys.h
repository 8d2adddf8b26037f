#pragma once

class QMainWindow;

namespace morvel {

// Opens the window's menus from the keyboard although their titles carry no mnemonic marks:
// F10 opens the first menu, and Alt with a menu's first letter opens that menu (Alt+F "File",
// Alt+H "Help"). The arrow keys and Enter then reach every item; Alt pressed alone selects the
// menu bar, as the style does everywhere. Call once the menus are built.
void InstallMenuKeys(QMainWindow& window);

} // namespace morvel
