#include "dialogs/button_names.h"

#include <stdexcept>

namespace morvel {

namespace {

constexpr int kEdgeCount = 2;
const QString kEdgeMarker = QStringLiteral("Re");

// A single decimal digit in [1, last], or 0 when the character is anything else.
int DigitInRange(QChar character, int last)
{
    const int digit = character.digitValue();
    return (digit >= 1 && digit <= last) ? digit : 0;
}

} // namespace

ReactionButton ParseReactionButton(const QString& name, const QString& prefix, int lastEntry)
{
    // prefix, entry digit, "Re", edge digit
    const qsizetype expectedLength = prefix.size() + 1 + kEdgeMarker.size() + 1;
    const bool shaped = name.size() == expectedLength && name.startsWith(prefix)
        && QStringView(name).sliced(prefix.size() + 1, kEdgeMarker.size()) == kEdgeMarker;
    const int entry = shaped ? DigitInRange(name.at(prefix.size()), lastEntry) : 0;
    const int edge = shaped ? DigitInRange(name.back(), kEdgeCount) : 0;
    if (entry == 0 || edge == 0) {
        throw std::invalid_argument("No reaction button is named \"" + name.toStdString()
                                    + "\" (expected " + prefix.toStdString() + "<entry>Re<edge>)");
    }
    return {entry, edge};
}

} // namespace morvel
