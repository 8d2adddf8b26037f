// The entry rules and interlocks are bound to the real window's controls: a few operator
// actions on the shown window, one per binding.
#include "window_fixture.h"

#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
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

// How the operator leaves a field for another page.
enum class Leave { ClickOnTab, ControlTab, PageShownByTheProgram };

struct LeftForAnotherPage {
    const char* field;
    const char* option;  // the box that enables the field, or nullptr
    int fieldPage;
    const char* text;
    Leave leave;
    int otherPage;  // the page clicked or shown; Ctrl+Tab goes to the next one
};

void PrintTo(const LeftForAnotherPage& c, std::ostream* out) { *out << c.field << " \"" << c.text << '"'; }

class WindowExitCheckPages : public WindowRulesWiring, public ::testing::WithParamInterface<LeftForAnotherPage> {
protected:
    QTabWidget& Pages() { return w.Get<QTabWidget>("PageControl2"); }

    void TypeInto(QLineEdit& field, const char* text)
    {
        field.setFocus();
        ASSERT_TRUE(ProcessEventsUntil([&] { return field.hasFocus(); }, std::chrono::seconds(2)));
        QTest::keyClicks(&field, text);
    }

    void LeaveFor(QLineEdit& field, Leave leave, int page)
    {
        switch (leave) {
        case Leave::ClickOnTab:
            QTest::mouseClick(Pages().tabBar(), Qt::LeftButton, {}, Pages().tabBar()->tabRect(page).center());
            break;
        case Leave::ControlTab:
            QTest::keyClick(&field, Qt::Key_Tab, Qt::ControlModifier);
            break;
        case Leave::PageShownByTheProgram:
            Pages().setCurrentIndex(page);
            break;
        }
    }
};

// The message is about a field the operator must see: its page comes back to the front with the
// focus in it, so that what is typed next goes where the operator looks.
TEST_P(WindowExitCheckPages, BringTheFieldsPageBackWithTheFocus)
{
    const LeftForAnotherPage& c = GetParam();
    if (c.option)
        w.Get<QCheckBox>(c.option).click();
    Pages().setCurrentIndex(c.fieldPage);
    auto& field = w.Get<QLineEdit>(c.field);
    TypeInto(field, c.text);
    LeaveFor(field, c.leave, c.otherPage);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !w.boxes.shown.empty(); }, std::chrono::seconds(2)));
    ASSERT_TRUE(ProcessEventsUntil([&] { return field.hasFocus(); }, std::chrono::seconds(2)));

    EXPECT_EQ(Pages().currentIndex(), c.fieldPage);
    EXPECT_TRUE(field.isVisible());
    QTest::keyClicks(QApplication::focusWidget(), "3");
    EXPECT_EQ(field.text(), QString::fromUtf8(c.text) + "3");
    EXPECT_EQ(w.boxes.shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, WindowExitCheckPages,
    ::testing::Values(LeftForAnotherPage{"EPin", nullptr, 0, "12", Leave::ClickOnTab, 1},
                      LeftForAnotherPage{"EPin", nullptr, 0, "1", Leave::ControlTab, 1},
                      LeftForAnotherPage{"EPINMOD", "ChBFlags_5", 0, "ab", Leave::ClickOnTab, 4},
                      LeftForAnotherPage{"EZalWy1", "ChBFlags_0", 4, "x", Leave::ClickOnTab, 0},
                      LeftForAnotherPage{"EwylWy2", "ChBFlags_1", 4, "x", Leave::PageShownByTheProgram, 2}));

// Where the page scrolls, it scrolls back to the field as well.
TEST_F(WindowExitCheckPages, ScrollTheFieldBackIntoView)
{
    w.Get<QCheckBox>("ChBFlags_0").click();
    w.Get<QWidget>("TabSheet5").setMinimumHeight(2000);  // taller than any window: the page scrolls
    Pages().setCurrentIndex(4);
    auto& field = w.Get<QLineEdit>("EZalWy1");
    TypeInto(field, "x");
    QScrollArea* area = nullptr;
    for (QWidget* outer = field.parentWidget(); outer && !area; outer = outer->parentWidget())
        area = qobject_cast<QScrollArea*>(outer);
    ASSERT_NE(area, nullptr);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    ASSERT_TRUE(field.visibleRegion().isEmpty()) << "the field must start out of view";

    LeaveFor(field, Leave::ClickOnTab, 0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return field.hasFocus(); }, std::chrono::seconds(2)));
    EXPECT_EQ(Pages().currentIndex(), 4);
    EXPECT_FALSE(field.visibleRegion().isEmpty());
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
