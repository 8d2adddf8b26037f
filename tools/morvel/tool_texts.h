#pragma once

// What the tool tells the operator about comparisons, verifications and backups. %1, %2 are
// filled in with QString::arg.
namespace morvel::cli::texts {

// Exit statuses of the commands that compare.
inline constexpr char kCompareExitStatuses[] =
    "  0  the same\n"
    "  1  different (the differing fields are listed)\n"
    "  2  trouble: a file or the module could not be read, or the command line was wrong\n";
inline constexpr char kProgramExitStatuses[] =
    "  0  programmed (and verified, unless --no-verify)\n"
    "  1  not programmed: the file, the backup, the port or the module failed (the message says why)\n"
    "  2  the command line was wrong\n"
    "  3  programmed, but the module reads back differently (the differing fields are listed)\n"
    "  4  programmed, but the module could not be read back to verify it (the message says why)\n";

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

} // namespace morvel::cli::texts
