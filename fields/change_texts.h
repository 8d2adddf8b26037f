#pragma once

// What a refused change of a field says: the problem (%1 the value or the part of it at fault)
// and the values the field takes. Field names and option names are inserted as they are.
namespace morvel::change_text {

// Problems.
inline constexpr const char* kNoSuchField = "there is no such field";
inline constexpr const char* kGivenTwice = "given twice";
inline constexpr const char* kNoControl = "the window has no control for it";
inline constexpr const char* kNotANumber = "\"%1\" is not a whole number";
inline constexpr const char* kOutOfRange = "%1 is out of range";
inline constexpr const char* kNotAByte = "%1 is not a byte";
inline constexpr const char* kExpectsText = "expects a text, not a number or a list";
inline constexpr const char* kNoCodePage = "\"%1\" has no Windows-1250 code";
inline constexpr const char* kControlCharacter = "holds a control character";
inline constexpr const char* kNotADigit = "holds \"%1\", which is not a digit";
inline constexpr const char* kNotInNumber = "holds \"%1\", which a phone number does not take";
inline constexpr const char* kTwoSigns = "holds two signs";
inline constexpr const char* kLength = "is %1 characters long";
inline constexpr const char* kTooManyBytes = "takes %1 bytes";
inline constexpr const char* kNoSuchOption = "has no option \"%1\"";
inline constexpr const char* kOptionNotOffered = "the window does not offer \"%1\" here";
inline constexpr const char* kOptionsExclude = "\"%1\" and \"%2\" exclude each other";
inline constexpr const char* kInactiveAlone = "\"%1\" stands alone";
inline constexpr const char* kNoReaction = "the window stores an edge without a reaction as 0x80";
inline constexpr const char* kCannotSetBit = "the window cannot set \"%1\" here";
inline constexpr const char* kKeepsBit = "the window keeps \"%1\" as it was loaded";
inline constexpr const char* kClearsBit = "the window stores \"%1\" as 0";
inline constexpr const char* kEmptiedWithout = "the window empties it while %1 lacks \"%2\"";
inline constexpr const char* kEmptiesOther = "without \"%1\" the window empties %2, which holds \"%3\"";

// What the field takes.
inline constexpr const char* kAllowedNothing = "only the value it holds";
inline constexpr const char* kAllowedRange = "a whole number from %1 to %2";
inline constexpr const char* kAllowedUpTo = "up to %1 characters (%2)";
inline constexpr const char* kAllowedExactly = "exactly %1 characters (%2), or empty";
inline constexpr const char* kAllowedNoCode = " for no code";
inline constexpr const char* kAllowedEmptyUnless = "; empty unless %1 holds \"%2\"";
inline constexpr const char* kAllowedNotes = "up to %1 bytes of text (any Windows-1250 holds; a line break takes two)";
inline constexpr const char* kAnyCharacter = "any Windows-1250 holds";
inline constexpr const char* kDigits = "digits";
inline constexpr const char* kPhoneCharacters = "digits and at most one sign, + or -";
inline constexpr const char* kAllowedBits = "a number from 0 to 255 or a list of: %1";
inline constexpr const char* kAllowedReaction = "0x80, or a list of: %1 (\"%2\" alone)";
inline constexpr const char* kAllowedOneOf = "; at most one of %1";
inline constexpr const char* kAllowedOtherField = "%1 emptied as well, or %2 with \"%3\"";

// A file of changes that cannot be read (%1 the reason, the entry or the field).
inline constexpr const char* kNotJson = "not JSON: %1 at byte %2";
inline constexpr const char* kNotAnObject = "expects a JSON object";
inline constexpr const char* kFieldsNotAList = "\"fields\" is not a list";
inline constexpr const char* kEntryIncomplete = "entry %1 of \"fields\" lacks a \"name\" or a \"value\"";
inline constexpr const char* kValueOfNoForm = "the value of %1 is neither a number, a text nor a list of names";

// Warnings about changes that were made.
inline constexpr const char* kNoPhoneNumber = "%1 informs user %2, who has no phone number";

} // namespace morvel::change_text
