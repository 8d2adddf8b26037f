#include "model/user_number_check.h"

#include <gtest/gtest.h>

namespace morvel {
namespace {

struct NumbersCase {
    std::array<std::string, 4> numbers;
    bool accepted;
};

class UserNumberCheck : public testing::TestWithParam<NumbersCase> {};

TEST_P(UserNumberCheck, AcceptsOnlyInternationalNumbers)
{
    EXPECT_EQ(CheckUserNumbers(GetParam().numbers), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, UserNumberCheck,
    testing::Values(NumbersCase{{"", "", "", ""}, true},
                    NumbersCase{{"+48601234567", "+4", "", "+420123"}, true},
                    NumbersCase{{"60", "12", "1", "-1"}, true},                   // too short to be checked
                    NumbersCase{{"+48601234567", "", "", "601234567"}, false},    // last one fails
                    NumbersCase{{"048", "", "", ""}, false},                      // three characters are checked
                    NumbersCase{{" +48", "", "", ""}, false}));

} // namespace
} // namespace morvel
