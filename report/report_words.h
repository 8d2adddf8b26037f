#pragma once

#include "model/field_catalogue.h"
#include "model/settings_record.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string_view>

// The settings' bytes in the words of the job report.
namespace morvel {

// Reads the fields the report prints, by their catalogue names, and tells whether each holds
// what a new settings file holds.
class ReportFields {
public:
    ReportFields(const TSettingsRecord& record, const TUserNotes& notes);

    const FieldInfo& Field(std::string_view name) const; // throws std::logic_error for a name not in the catalogue
    std::uint8_t Byte(std::string_view name) const;
    // A text field as the window shows it: its characters up to the first NUL.
    QString Text(std::string_view name) const;
    // True when the field holds what a new file holds: the defaults, where a spin edit also
    // counts the value it shows for them.
    bool IsDefault(std::string_view name) const;

private:
    const TSettingsRecord& record_;
    const TUserNotes& notes_;
};

// The users as the report names them: "User 2 (Anna)", or "User 2" without a name.
class ReportUsers {
public:
    explicit ReportUsers(const ReportFields& fields);
    QString Named(int user) const;
    QString Number(int user) const;

private:
    const ReportFields& fields_;
};

// "a, b and c".
QString JoinedPhrases(const QStringList& phrases);

// What an output-reaction byte switches: "output 1 on, siren on", "no reaction". Bits that have
// a place of their own elsewhere (the exit-time function) are left to that place.
QString ReactionWords(const FieldInfo& field, std::uint8_t byte);
// Who a notification byte informs: "SMS to User 1 (Jan), call to User 2"; "nobody".
QString NotificationWords(std::uint8_t byte, const ReportUsers& users);
// What a call does (a CLIP flag byte, bits 0 to 6): "switches output 1 on and sends a report to
// User 1 (Jan)"; "does nothing".
QString CallWords(std::uint8_t flags, const ReportUsers& users);

} // namespace morvel
