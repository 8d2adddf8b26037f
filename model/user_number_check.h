#pragma once

#include <array>
#include <string>

namespace morvel {

// The module dials users in international format. True unless one of the four numbers has three
// or more characters and does not begin with '+'; shorter texts always pass.
bool CheckUserNumbers(const std::array<std::string, 4>& numbers);

} // namespace morvel
