#pragma once

// What the tool tells the operator about comparisons, verifications, backups, ports and runs.
// %1, %2 are filled in with QString::arg. Messages are printed after "morvel: " unless said
// otherwise.
namespace morvel::cli::texts {

// Exit statuses of the commands that compare.
inline constexpr char kCompareExitStatuses[] =
    "  0  the same\n"
    "  1  different (the differing fields are listed)\n"
    "  2  trouble: a file or the module could not be read, no port to open (--port auto, --wait),\n"
    "     or the command line was wrong\n";
inline constexpr char kProgramExitStatuses[] =
    "  0  programmed (and verified, unless --no-verify)\n"
    "  1  not programmed: the file, the backup, the port or the module failed (the message says why)\n"
    "  2  the command line was wrong, or no port to open: none or several adapters for --port auto,\n"
    "     or the port did not appear within --wait\n"
    "  3  programmed, but the module reads back differently (the differing fields are listed)\n"
    "  4  programmed, but the module could not be read back to verify it (the message says why)\n";

// Exit statuses of a command that talks to the module and compares nothing.
inline constexpr char kModuleExitStatuses[] =
    "  0  the command did its work\n"
    "  1  it could not (the message says why and what to do)\n"
    "  2  the command line was wrong, or there was no port to open: none or several adapters for\n"
    "     --port auto, or the port did not appear within --wait\n";

// The verdicts.
inline constexpr char kModuleHolds[] = "module holds %1";
inline constexpr char kVerified[] = "verified: the module holds %1";
inline constexpr char kCouldNotVerify[] = "could not verify the module: %1";
inline constexpr char kProgrammedNotVerified[] =
    "programmed, but could not read the module back to verify it: %1. Check the cable, then run morvel verify";
inline constexpr char kModuleDiffers[] =
    "the module does not hold %1: program it again, and if it still differs, replace the module";

// How many differ: "3 fields differ", "1 field and 2 bytes differ".
inline constexpr char kOneField[] = "1 field";
inline constexpr char kFields[] = "%1 fields";
inline constexpr char kOneByte[] = "1 byte";
inline constexpr char kBytes[] = "%1 bytes";
inline constexpr char kAnd[] = "%1 and %2";
inline constexpr char kDiffers[] = "%1 differs";
inline constexpr char kDiffer[] = "%1 differ";

// The backup before programming.
inline constexpr char kBackupSaved[] = "the module's old settings are saved in %1";
inline constexpr char kBackupFailed[] = "nothing was programmed: the module's old settings could not be saved first";

// --port auto. %1 a port, %2 its details.
inline constexpr char kAutoPort[] = "auto";
inline constexpr char kUsingPort[] = "using %1";
inline constexpr char kUsingPortWithDetails[] = "using %1 (%2)";
inline constexpr char kNoAdapter[] = "--port auto: no USB serial adapter is connected; plug it in, or name the port with --port";
inline constexpr char kOtherPorts[] = "the ports present: %1";
inline constexpr char kSeveralAdapters[] =
    "--port auto: %1 USB serial adapters are connected; name the one the module is on with --port:";
// One candidate on a line of its own.
inline constexpr char kCandidate[] = "  %1";
inline constexpr char kCandidateWithDetails[] = "  %1  %2";

// --wait. %1 seconds, %2 the port.
inline constexpr char kWaitingForPort[] = "waiting up to %1 s for %2";
inline constexpr char kWaitingForAdapter[] = "waiting up to %1 s for a USB serial adapter";
inline constexpr char kPortNeverAppeared[] = "%2 did not appear within %1 s; check the cable and the port's name";
inline constexpr char kAdapterNeverAppeared[] = "no USB serial adapter appeared within %1 s; check the cable";
inline constexpr char kBadWait[] = "--wait takes a number of seconds, 0 or more";

// After the run. %1 frames, %2 bytes, %3 seconds.
inline constexpr char kProgramSummary[] = "%1 frames, %2 bytes in %3 s";
inline constexpr char kReadSummary[] = "%1 bytes in %2 s";
// The time-out's text, then the step that got no reply.
inline constexpr char kNoAnswerAt[] = "%1: %2";
// Under the hint for an adapter lost while programming.
inline constexpr char kVerifyTells[] = "\"morvel verify\" tells whether the module holds the settings of the file.";
// A hint or a candidate stands under the failure, indented.
inline constexpr char kHintIndent[] = "  ";

// morvel ports.
inline constexpr char kNoPorts[] = "no serial ports found; plug the adapter in (morvel ports lists it then)";


} // namespace morvel::cli::texts
