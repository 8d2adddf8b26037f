// What a screen reader announces for the fields of each page: the caption in front of the field,
// not the title of the group around it; the groups keep their own titles.
#include "window_fixture.h"

#include "test_support.h"

#include <QAccessible>
#include <QAccessibleInterface>

#include <gtest/gtest.h>

namespace morvel::window_test {
namespace {

struct Announced {
    const char* control;
    const char* name;
    const char* description;  // the unit behind the field
};

void PrintTo(const Announced& c, std::ostream* out) { *out << c.control; }

class WindowAccessibleNames : public ::testing::TestWithParam<Announced> {
protected:
    WindowUnderTest w;
};

TEST_P(WindowAccessibleNames, AnnounceTheCaptionInFrontOfTheField)
{
    const Announced& c = GetParam();
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(&w.Get<QWidget>(c.control));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(QAccessible::Name), QString::fromUtf8(c.name));
    EXPECT_EQ(field->text(QAccessible::Description), QString::fromUtf8(c.description));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, WindowAccessibleNames,
    ::testing::Values(
        // Basic
        Announced{"EPin", "SIM PIN Code", ""}, Announced{"Ecsms", "SMS center no.", ""},
        Announced{"SEInNONCSTAT18", "Time of confirmation", "[s]"},
        Announced{"SEtestokr", "Send report every", "[h]"}, Announced{"EPINMOD", "SMS access code", ""},
        Announced{"SECALL_TIMER", "Call time", "[s]"}, Announced{"SE1192", "time of siren alarm", ""},
        Announced{"GroupBox2", "Basic", ""}, Announced{"GroupBox8", "Clip from user", ""},
        Announced{"GroupBox9", "Clip from unknown user", ""},
        // Telephone numbers
        Announced{"Enruser3", "User 3, number:", ""}, Announced{"Eosoba1", "Name", ""},
        Announced{"Muser4", "Notes", ""},
        // Inputs
        Announced{"SEtimerPod4", "Input 4 (+), Time of reaction [ x 0,1s]", ""},
        Announced{"SEtimerTorBuf1", "Input 1 (-), Blocking the input after reaction [x 10s]", ""},
        Announced{"ETSMS_We8_Re2", "Input 8 (+), Disconnecting from +12V, SMS message text:", ""},
        // Special Inputs
        Announced{"ETSpecSMS_We5_Re1", "Arm/Disarm input, Disconnecting from GND, SMS message text:", ""},
        // Outputs
        Announced{"EZalWy1", "Enable code", ""}, Announced{"EwylWy2", "Disable code", ""},
        Announced{"SEWy_offTimer2", "Disable output 2 after time:", "[s]"},
        Announced{"ETSpecSMS_We2_Re2", "Output 2, Disabled, SMS message text:", ""},
        Announced{"GroupBox4", "Wyjście 1", ""}));

// A combo box is announced by its text, and by the label it is labelled by, which comes before
// the group around it.
TEST(WindowAccessibleLabels, TheSmsCentreIsLabelledByItsCaption)
{
    WindowUnderTest w;
    QAccessibleInterface* centres = QAccessible::queryAccessibleInterface(&w.Get<QWidget>("CBcentrum"));
    ASSERT_NE(centres, nullptr);
    const auto labels = centres->relations(QAccessible::Label);
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.front().first->text(QAccessible::Name), QString("SMS center"));
}

} // namespace
} // namespace morvel::window_test
