#pragma once

// Every text of the job report; the fields' captions and option names come from the field
// catalogue. %1, %2 are filled in where the report is built.
namespace morvel::report_text {

inline constexpr const char* kTitle = "Morvel module settings";

// The header.
inline constexpr const char* kFile = "Settings";
inline constexpr const char* kMade = "Made";
inline constexpr const char* kMadeFormat = "yyyy-MM-dd HH:mm";
inline constexpr const char* kProgram = "Program";
inline constexpr const char* kVerification = "Verification";
inline constexpr const char* kCodesHidden = "The SIM PIN and the SMS access code are printed as ****.";
inline constexpr const char* kChangedOnly = "Only the settings that differ from those of a new settings file are listed.";
inline constexpr const char* kNothingSet =
    "Nothing is set: every setting holds the value a new settings file starts with.";
inline constexpr const char* kHiddenCode = "****";

// Users.
inline constexpr const char* kUsers = "Users";
inline constexpr const char* kUser = "User";
inline constexpr const char* kPhoneNumber = "Phone number";
inline constexpr const char* kName = "Name";
inline constexpr const char* kNotes = "Notes";
inline constexpr const char* kNoUser = "No user is set.";
inline constexpr const char* kUserNumbered = "User %1";
inline constexpr const char* kUserNamed = "User %1 (%2)";
inline constexpr const char* kNoPhoneNumber = "%1 (no phone number)";

// Basic settings.
inline constexpr const char* kBasic = "Basic settings";
inline constexpr const char* kSimPin = "SIM PIN";
inline constexpr const char* kSmsCentre = "SMS centre";
inline constexpr const char* kPresetCentre = "%1 (%2)";
inline constexpr const char* kOwnCentre = "%1 (own number)";
inline constexpr const char* kNotSet = "not set";
inline constexpr const char* kConfirmationTime = "Time of confirmation";
inline constexpr const char* kSendTries = "Attempts to send an SMS";
inline constexpr const char* kSeconds = "%1 s";
inline constexpr const char* kHours = "%1 h";
inline constexpr const char* kPeriodicReport = "Periodic report";
inline constexpr const char* kReportEvery = "every %1 to %2";
inline constexpr const char* kOff = "off";
inline constexpr const char* kOn = "on";
inline constexpr const char* kCalls = "Calls (CLIP)";
inline constexpr const char* kCallTimes = "an incoming call is rejected after %1; the module's calls last %2";
inline constexpr const char* kCallFromUser = "A call from a user";
inline constexpr const char* kCallFromUnknown = "A call from an unknown number";
inline constexpr const char* kDoesNothing = "does nothing";
inline constexpr const char* kUnidentifiedSms = "Unidentified SMS";
inline constexpr const char* kForwardedTo = "forwarded to %1";
inline constexpr const char* kNotForwarded = "not forwarded";
inline constexpr const char* kSmsProgramming = "SMS programming";
inline constexpr const char* kSmsProgrammingOn = "on, access code %1";
inline constexpr const char* kSmsProgrammingNoCode = "on, no access code";
inline constexpr const char* kEntryTime = "Time for entry";
inline constexpr const char* kExitTime = "Time for exit";
inline constexpr const char* kSirenTime = "Time of siren alarm";
inline constexpr const char* kExitTimeFunction = "\"Exit time\" function";

// What a call does, one phrase per CLIP option, joined into a sentence.
inline constexpr const char* kClipEnableOutput1 = "switches output 1 on";
inline constexpr const char* kClipEnableOutput2 = "switches output 2 on";
inline constexpr const char* kClipDisableOutput1 = "switches output 1 off";
inline constexpr const char* kClipDisableOutput2 = "switches output 2 off";
inline constexpr const char* kClipToggleOutput1 = "changes the state of output 1";
inline constexpr const char* kClipToggleOutput2 = "changes the state of output 2";
inline constexpr const char* kClipReport = "sends a report to %1";
inline constexpr const char* kListSeparator = ", ";
inline constexpr const char* kLastSeparator = " and ";

// Inputs and special inputs.
inline constexpr const char* kInputs = "Inputs";
inline constexpr const char* kSpecialInputs = "HIJACK and Arm/Disarm inputs";
inline constexpr const char* kInput = "Input";
inline constexpr const char* kEdge = "Edge";
inline constexpr const char* kOutputsColumn = "Outputs";
inline constexpr const char* kInforms = "Informs";
inline constexpr const char* kSmsText = "SMS text";
inline constexpr const char* kNoReaction = "no reaction";
inline constexpr const char* kNobody = "nobody";
inline constexpr const char* kNotShownInWindow = "%1 (not shown in the window)";
inline constexpr const char* kSmsTo = "SMS to %1";
inline constexpr const char* kCallTo = "call to %1";
inline constexpr const char* kSmsAndCallTo = "SMS and call to %1";
inline constexpr const char* kQuoted = "\"%1\"";
inline constexpr const char* kInactiveEdges = "No reaction and nobody informed: %1.";
inline constexpr const char* kBothEdges = "%1 (both edges)";
inline constexpr const char* kOneEdge = "%1 (%2)";
inline constexpr const char* kEdgeSeparator = "; ";
inline constexpr const char* kNoInputAction = "No input reacts or informs anyone.";
inline constexpr const char* kNoSpecialAction = "Neither input reacts or informs anyone.";
inline constexpr const char* kInputTimers = "Input timers";
inline constexpr const char* kReactionTime = "Time of reaction";
inline constexpr const char* kBlockTime = "Blocked after a reaction";

// Outputs.
inline constexpr const char* kOutputs = "Outputs";
inline constexpr const char* kOutputNumbered = "Output %1";
inline constexpr const char* kBySms = "Switched by SMS";
inline constexpr const char* kBySmsCodes = "on with %1, off with %2";
inline constexpr const char* kNoCode = "no code";
inline constexpr const char* kNo = "no";
inline constexpr const char* kSwitchesOff = "Switches itself off";
inline constexpr const char* kAfter = "after %1";
inline constexpr const char* kWhenOn = "When switched on";
inline constexpr const char* kWhenOff = "When switched off";
inline constexpr const char* kConfirmation = "%1; text %2";
inline constexpr const char* kNobodyInformed = "nobody is informed";

// Report files.
inline constexpr const char* kUnknownFormat = "the report's file name must end in .pdf, .html or .htm";
inline constexpr const char* kPdfFailed = "Cannot make the PDF";

} // namespace morvel::report_text
