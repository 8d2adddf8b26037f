#pragma once

#include <QString>

namespace morvel {

// The entry (input 1-8 or special entry 1-6) and the edge (1-2) a reaction button stands for.
struct ReactionButton {
    int entry;
    int edge;
};

// Reads entry and edge from a reaction button's object name: the prefix, the entry as one
// digit, "Re", the edge as one digit at the very end ("BB_ConfigNumerSpecWe5Re2" with the prefix
// "BB_ConfigNumerSpecWe" gives entry 5, edge 2). Throws std::invalid_argument when the name has
// another shape or the numbers are outside [1, lastEntry] and [1, 2].
ReactionButton ParseReactionButton(const QString& name, const QString& prefix, int lastEntry);

} // namespace morvel
