#include "model/user_number_check.h"

namespace morvel {

namespace {

constexpr std::size_t kShortestCheckedNumber = 3; // shorter texts are not taken as numbers
constexpr char kInternationalPrefix = '+';

} // namespace

bool CheckUserNumbers(const std::array<std::string, 4>& numbers)
{
    for (const std::string& number : numbers) {
        if (number.size() >= kShortestCheckedNumber && number.front() != kInternationalPrefix)
            return false;
    }
    return true;
}

} // namespace morvel
