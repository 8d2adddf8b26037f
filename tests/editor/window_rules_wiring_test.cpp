// The entry rules and interlocks are bound to the real window's controls: a few operator
// actions on the shown window, one per binding.
#include "window_fixture.h"

#include "test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel::window_test {
namespace {

class WindowRulesWiring : public ::testing::Test {
protected:
    WindowRulesWiring()
    {
        w.window->show();
        w.window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    }
    WindowUnderTest w;
};

TEST_F(WindowRulesWiring, OperatorPickingAPresetFillsTheCentreNumber)
{
    auto& centres = w.Get<QComboBox>("CBcentrum");
    auto& number = w.Get<QLineEdit>("Ecsms");
    centres.setFocus();
    QTest::keyClick(&centres, Qt::Key_Up);  // from "Own " to "IDEA"
    EXPECT_EQ(centres.currentText(), QString("IDEA"));
    EXPECT_EQ(number.text(), QString("+48501200777"));
    number.setText("+48999");
    centres.setCurrentIndex(1);  // by the program: no change
    EXPECT_EQ(number.text(), QString("+48999"));
}

TEST_F(WindowRulesWiring, LeavingAShortPinShowsTheMessageAndReturnsTheFocus)
{
    auto& pin = w.Get<QLineEdit>("EPin");
    pin.setFocus();
    QTest::keyClicks(&pin, "12");
    w.Get<QLineEdit>("Ecsms").setFocus();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !w.boxes.shown.empty(); }, std::chrono::seconds(2)));
    EXPECT_EQ(w.boxes.shown[0].caption, QString("Uwaga"));
    EXPECT_EQ(w.boxes.shown[0].text, QString::fromUtf8("Kod pin musi mieć 4 znaki."));
    EXPECT_TRUE(ProcessEventsUntil([&] { return pin.hasFocus(); }, std::chrono::seconds(2)));
    EXPECT_EQ(pin.text(), QString("12"));
}

TEST_F(WindowRulesWiring, EnterInTheFirstUserNumberMovesToTheName)
{
    w.Get<QTabWidget>("PageControl2").setCurrentIndex(1);  // "Telephone numbers"
    auto& number = w.Get<QLineEdit>("Enruser1");
    number.setFocus();
    ASSERT_TRUE(number.hasFocus());
    QTest::keyClicks(&number, "+48a1");
    EXPECT_EQ(number.text(), QString("+481"));
    QTest::keyClick(&number, Qt::Key_Return);
    EXPECT_TRUE(w.Get<QLineEdit>("Eosoba1").hasFocus());
}

TEST_F(WindowRulesWiring, OptionsEnableTheirFieldsAndClipBoxesExcludeEachOther)
{
    auto& smsProgramming = w.Get<QCheckBox>("ChBFlags_5");
    auto& accessCode = w.Get<QLineEdit>("EPINMOD");
    smsProgramming.click();
    EXPECT_TRUE(accessCode.isEnabled());
    smsProgramming.click();
    EXPECT_FALSE(accessCode.isEnabled());

    w.Get<QCheckBox>("ChbClipVerif0").click();  // enable output 1 ...
    EXPECT_FALSE(w.Get<QCheckBox>("ChbClipVerif2").isEnabled());  // ... bars disabling it
    EXPECT_FALSE(w.Get<QCheckBox>("ChbClipVerif4").isEnabled());  // ... and toggling it
    EXPECT_TRUE(w.Get<QCheckBox>("ChBClipNotVerif2").isEnabled());  // the other family is apart
}

} // namespace
} // namespace morvel::window_test
