#pragma once

// Texts the link shows the operator, UTF-8. Lines of the information list keep their exact
// spelling and trailing blanks: operators and their tools know them by heart.
namespace morvel::texts {

inline constexpr char kUserNumberFormat[] =
    "User number must be in International Country Code format eg. +42... +48......"
    "                        ";
inline constexpr char kProgrammingStarted[] = "Rozpoczęcie programowania.";
inline constexpr char kProgressStart[] = "postęp: ";
inline constexpr char kProgress[] = "Postęp: ";   // + percentage + "% " + the bar
inline constexpr char kProgressPercent[] = "% ";
inline constexpr char kProgressStep[] = "##";
inline constexpr char kProgrammingDone[] = "Programowanie zakończone pomyślnie.";
inline constexpr char kReadDone[] = "zaladowane ustawienia z eprom";
inline constexpr char kNoAnswer[] = "No answer from module    ";

// Which step of a run got no reply, told after kNoAnswer where there is room for it.
inline constexpr char kNoReplyTo[] = "no reply to \"%1\"";
inline constexpr char kNoReplyToFrame[] = "no reply to frame %1 of %2";
inline constexpr char kNoClosingReply[] = "no closing reply after frame %1";
inline constexpr char kMemoryStopped[] = "the module's memory stopped after %1 of %2 bytes";

// Refusals before the first frame. %1 names a field that would reach the module changed; it may
// be the victim of a number too long for the slot before it.
inline constexpr char kSimPinLength[] =
    "Programowanie wstrzymane: PIN karty SIM musi mieć 4 znaki albo być pusty.";
inline constexpr char kFieldDoesNotFit[] =
    "Programowanie wstrzymane: %1 nie zapisze się w module bez zmian (za długi numer?).";
inline constexpr char kFieldSmsCentre[] = "numer centrum SMS";
inline constexpr char kFieldUserNumber[] = "numer użytkownika %1";
inline constexpr char kFieldInputText[] = "tekst wejścia %1 (zbocze %2)";
inline constexpr char kFieldSpecialText[] = "tekst wejścia specjalnego %1 (zbocze %2)";

// A read-back (a verification reading the module) and the other runs never share the port.
inline constexpr char kReadBackGoing[] =
    "The module is being read for a verification: wait for its result, then try again.";
inline constexpr char kReadBackRefused[] =
    "The module is being programmed or read: verify it once that run has ended.";

// Why a read-back that timed out part-way could not verify; %1 is the number of bytes that came.
inline constexpr char kReadBackIncomplete[] = "the module sent only %1 of the 1703 bytes of its reply";

// A run cut short by the port; %1 is the port's error text.
inline constexpr char kLinkBroken[] = "Przerwane połączenie z modułem: %1";

// Errors of the serial layer: the failure's text, then the suffix with the OS error number.
inline constexpr char kUnableToOpen[] = "Unable to open com port";
inline constexpr char kSetCommStateFailed[] = "SetCommState function failed";
inline constexpr char kWriteFailed[] = "WriteFile function failed";
inline constexpr char kPortLost[] = "Com port lost";
inline constexpr char kErrorCodeSuffix[] = " (win error code: %1)";

// What to do about a port that failed, shown under the failure's text.
// %1 the device, %2 its group, %3 the user.
inline constexpr char kHintPermission[] =
    "Your user may not open %1: it belongs to the group %2. Add yourself to that group with this "
    "command, then log out and in again:\n    sudo usermod -aG %2 %3";
// %1 the device, %2 the processes that hold it.
inline constexpr char kHintInUseBy[] = "%1 is in use by %2: close that program and try again.";
inline constexpr char kHintInUseUnknown[] = "%1 is in use by another program: close it and try again.";
inline constexpr char kHintProcess[] = "PID %1 (%2)";
inline constexpr char kHintModemManager[] =
    "ModemManager grabs new ttyACM ports for a few seconds after they are plugged in: wait a "
    "moment, or stop it with \"sudo systemctl stop ModemManager\".";
// %1 the port asked for, %2 the ports there are.
inline constexpr char kHintMissingPort[] = "There is no port %1. The ports present now: %2.";
inline constexpr char kHintNoAdapter[] =
    "There is no port %1, and no serial adapter is connected: plug the adapter in and check its cable.";
inline constexpr char kHintLostProgramming[] =
    "The adapter was disconnected during programming; plug it in and program again; the module may "
    "hold a mix of old and new settings.";
inline constexpr char kHintLostReading[] = "The adapter was disconnected during reading; plug it in and read again.";

// A port's details beside its name; %1 the adapter's USB serial number.
inline constexpr char kSerialNumberLabel[] = "serial %1";

} // namespace morvel::texts
