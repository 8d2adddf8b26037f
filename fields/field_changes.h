#pragma once

#include "model/field_catalogue.h"
#include "model/settings_record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string>
#include <vector>

// Changes of named fields, as `morvel set` makes them. A new value goes through the rules the
// window applies to what the operator enters (the length and characters an edit takes, the range
// of a spin edit, the boxes a dialog offers and the interlocks between them); a value equal to
// what the field holds is no change and is taken as it stands. Either every change is made or
// none is.
namespace morvel {

// A value as given: a text (a command-line value, a JSON string), a number, or a list of the
// names of a bit byte's options (a JSON array). A text given for a number or a bit byte is read
// as a number ("17", "0x11") or as a comma-separated list of option names.
struct GivenValue {
    enum class Form {
        Text,
        Number,
        Names,
    };
    Form form = Form::Text;
    QString text;
    double number = 0;
    QStringList names;
};

struct FieldChange {
    std::string name;
    GivenValue value;
};

struct RefusedChange {
    std::string field;   // the name as given
    std::string problem; // "300 is out of range"
    std::string allowed; // "a whole number from 1 to 255"
};

struct ChangeResult {
    std::vector<RefusedChange> refused; // empty when the changes were made
    std::vector<std::string> changed;   // the fields whose bytes changed, in the order given
    std::vector<std::string> warnings;  // made, but probably not meant
};

// Makes every change in record and notes, or, when any is refused, none.
ChangeResult ApplyFieldChanges(TSettingsRecord& record, TUserNotes& notes, std::span<const FieldChange> changes);

// "FIELD=VALUE"; nothing without "=" or without a name.
std::optional<FieldChange> ParseAssignment(const QString& argument);

// The changes a JSON document asks for: either the document `morvel dump --json` prints (the
// "name" and "value" of each entry of "fields"; the other members are ignored) or one object of
// names and values. Nothing, and `error` set, for a document of another shape.
std::optional<std::vector<FieldChange>> ChangesFromJson(const QByteArray& json, std::string& error);

// What the field takes, as a refusal names it: "a whole number from 1 to 255".
std::string AllowedValues(const FieldInfo& field);

} // namespace morvel
