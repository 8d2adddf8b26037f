#pragma once

#include "fields/settings_comparison.h"

#include <QJsonArray>
#include <QJsonObject>

#include <iosfwd>
#include <string>
#include <vector>

// How the tool shows a comparison: one line per differing field and a count, or JSON.
namespace morvel::cli {

// What the report calls the two sides: "file" and "module", or the names of two files.
struct Sides {
    std::string first;
    std::string second;
};

// "UserNumber[2] (Telephone numbers / User 2 number): file "+48601234567", module "+48601234566"";
// a byte listed by its offset has no place in parentheses.
void PrintDifferences(const std::vector<FieldDifference>& differences, const Sides& sides, std::ostream& out);

// "3 fields differ", "1 field and 1 byte differ".
std::string DifferenceCount(const std::vector<FieldDifference>& differences);

// One object per difference: name, place, page, caption, block, offset, and both values under
// the keys given.
QJsonArray DifferencesJson(const std::vector<FieldDifference>& differences, const Sides& keys);

// The document on stdout, the only thing there.
void PrintJson(const QJsonObject& document);

QString FromLocal(const std::string& text);

} // namespace morvel::cli
