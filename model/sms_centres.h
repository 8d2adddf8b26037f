#pragma once

#include <array>

namespace morvel {

// One SMS-centre preset the window offers: the entry's text and the centre's number.
struct SmsCentrePreset {
    const char* entry;
    const char* number;
};

// The presets in the order the window lists them; the entry after them, "Own ", carries no
// number and stands for a number the operator types.
inline constexpr std::array<SmsCentrePreset, 3> kSmsCentrePresets{{
    {"PLUS", "+48601000310"},
    {"ERA", "+48602951111"},
    {"IDEA", "+48501200777"},
}};

} // namespace morvel
