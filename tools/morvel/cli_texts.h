#pragma once

// Texts of the commands that talk to the module, beyond the link's own (link/link_texts.h).
// Printed after "morvel: " unless said otherwise.
namespace morvel::cli::texts {

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
