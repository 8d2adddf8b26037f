#pragma once

// The texts of the program entry: its command line and the checks before the first window.
namespace morvel::app_texts {

// The program's name as `--version`, `--help` and the messages on the terminal give it.
inline constexpr char kProgramName[] = "morvel-loader";
// The application id every desktop file of the program is named after (menu entry, metainfo,
// file type, icon), so that the desktop ties the window to them.
inline constexpr char kDesktopFileName[] = "org.morvel.loader";

inline constexpr char kDescription[] =
    "Morvel Loader: the editor of every setting of the Morvel GSM car-alarm module. It programs\n"
    "the settings into the module on a serial port, reads them back and keeps them in .orv\n"
    "settings files.";
inline constexpr char kHelpHelp[] = "Shows this help.";
inline constexpr char kVersionHelp[] = "Shows the version.";
inline constexpr char kPortOption[] = "port";
inline constexpr char kPortValueName[] = "PATH";
inline constexpr char kPortHelp[] = "Puts PATH into the port box after start-up (for example /dev/ttyUSB0).";
inline constexpr char kFileArgument[] = "FILE.orv";
inline constexpr char kFileSyntax[] = "[FILE.orv]";
inline constexpr char kFileHelp[] = "A settings file to load after start-up, as \"Load ...\" does.";

inline constexpr char kExitStatuses[] =
    "\nExit status:\n"
    "  0  the window was closed\n"
    "  1  the system cannot convert texts to the Windows-1250 code page (a box says so)\n"
    "  2  the command line was wrong\n";

inline constexpr char kTooManyFiles[] = "takes at most one settings file";

inline constexpr char kErrorCaption[] = "Morvel Loader";
inline constexpr char kNoWindows1250[] =
    "This system cannot convert texts to the Windows-1250 code page, in which the module and the "
    "settings files keep them.";

} // namespace morvel::app_texts
