#pragma once

#include "model/field_catalogue.h"
#include "model/settings_record.h"

#include <QJsonObject>
#include <QJsonValue>

#include <cstdint>
#include <span>

// The settings as one JSON document, the form `morvel dump --json` prints and `morvel set --from`
// reads back:
//
//   {"fields": [{"name": "UserNumber[2]", "block": "record", "offset": 141,
//                "page": "Telephone numbers", "caption": "User 2 number",
//                "value": "+48601234567", "text": "\"+48601234567\""}, ...]}
//
// one entry per field in catalogue order. "value" is a number for every byte (timers, flag,
// reaction and notification bytes, reserved bytes) and a string for texts and codes (the
// characters stored, "" for no code); "text" is the value as the plain dump prints it.
namespace morvel {

namespace settings_json {
inline constexpr const char* kFields = "fields";
inline constexpr const char* kName = "name";
inline constexpr const char* kBlock = "block";
inline constexpr const char* kOffset = "offset";
inline constexpr const char* kPage = "page";
inline constexpr const char* kCaption = "caption";
inline constexpr const char* kValue = "value";
inline constexpr const char* kText = "text";
inline constexpr const char* kRecordBlock = "record";
inline constexpr const char* kNotesBlock = "notes";
} // namespace settings_json

// A field's value as "value" holds it.
QJsonValue FieldJsonValue(const FieldInfo& field, std::span<const std::uint8_t> fieldBytes);

// The whole document.
QJsonObject SettingsJson(const TSettingsRecord& record, const TUserNotes& notes);

} // namespace morvel
