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
//   {"fields": [{"name": "UserNumber[2]", "value": "+48601234567",
//                "text": "\"+48601234567\"", "place": "Telephone numbers / User 2 number"}, ...]}
//
// one entry per field in catalogue order. "value" is a number for every byte (timers, flag,
// reaction and notification bytes, reserved bytes) and a string for texts and codes (the
// characters stored, "" for no code); "text" is the value as the plain dump prints it, and
// "place" where the window shows the field.
namespace morvel {

namespace settings_json {
inline constexpr const char* kFields = "fields";
inline constexpr const char* kName = "name";
inline constexpr const char* kValue = "value";
inline constexpr const char* kText = "text";
inline constexpr const char* kPlace = "place";
} // namespace settings_json

// A field's value as "value" holds it.
QJsonValue FieldJsonValue(const FieldInfo& field, std::span<const std::uint8_t> fieldBytes);

// The whole document.
QJsonObject SettingsJson(const TSettingsRecord& record, const TUserNotes& notes);

} // namespace morvel
