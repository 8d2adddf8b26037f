#pragma once

// Where the about box and the support mail point. Kept in one place so that a change of web
// address or support mailbox touches one line.
namespace morvel::contact {

inline constexpr char kProductName[] = "Telvor";
inline constexpr char kVersionLine[] = "Version 1.1";
inline constexpr char kMakerLine[] = "Morvel alarm systems";
inline constexpr char kWebAddress[] = "https://www.morvel.example/";
inline constexpr char kSupportAddress[] = "support@morvel.example";
// Subject of a support mail; the six trailing blanks are part of it.
inline constexpr char kSupportSubject[] = "Uwagi do programu Telvor      ";

} // namespace morvel::contact
