// The menus opened and walked with the keyboard alone, on the shown window.
#include "window_fixture.h"

#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel::window_test {
namespace {

using namespace std::chrono_literals;

class WindowMenuKeys : public ::testing::Test {
protected:
    WindowMenuKeys() : w({"ttyS0"})
    {
        w.window->show();
        w.window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
        ports().lineEdit()->setFocus();
        EXPECT_TRUE(ProcessEventsUntil([&] { return ports().lineEdit()->hasFocus(); }, 2s));
    }
    ~WindowMenuKeys() override
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QComboBox& ports() { return w.Get<QComboBox>("CBcom"); }
    QMenu& Menu(const char* name) { return *w.window->findChild<QMenu*>(name); }

    // A key as the operator presses it: it goes to the open menu, or else to the focused control.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
        QCoreApplication::processEvents();
    }

    static bool IsOpen(const QMenu& menu) { return QApplication::activePopupWidget() == &menu; }

    // Moves down the open menu until the item is selected; false when it never is.
    static bool SelectDown(QMenu& menu, const char* item)
    {
        for (int press = 0; press <= menu.actions().size(); ++press) {
            if (menu.activeAction() && menu.activeAction()->objectName() == QLatin1String(item))
                return true;
            Press(Qt::Key_Down);
        }
        return false;
    }

    WindowUnderTest w;
};

struct MenuLetter {
    Qt::Key letter;
    const char* menu;
};

class WindowMenuLetters : public WindowMenuKeys, public ::testing::WithParamInterface<MenuLetter> {};

TEST_P(WindowMenuLetters, AltWithTheTitlesFirstLetterOpensThatMenuAndTypesNothing)
{
    Press(GetParam().letter, Qt::AltModifier);
    EXPECT_TRUE(IsOpen(Menu(GetParam().menu)));
    EXPECT_EQ(ports().currentText(), QString("ttyS0"));
}

INSTANTIATE_TEST_SUITE_P(Menus, WindowMenuLetters,
                         ::testing::Values(MenuLetter{Qt::Key_F, "Plik1"}, MenuLetter{Qt::Key_T, "ToolsMenu"},
                                           MenuLetter{Qt::Key_H, "Pomoc1"}));

TEST_F(WindowMenuKeys, F10OpensTheFirstMenu)
{
    Press(Qt::Key_F10);
    EXPECT_TRUE(IsOpen(Menu("Plik1")));
}

TEST_F(WindowMenuKeys, AltAloneSelectsTheMenuBarAndDownOpensTheFirstMenu)
{
    QWidget* field = QApplication::focusWidget();
    QTest::keyPress(field, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(field, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.window->menuBar());
    Press(Qt::Key_Down);
    EXPECT_TRUE(IsOpen(Menu("Plik1")));
}

// Enter on a selected item runs its command: "Save as ..." asks for a file name.
TEST_F(WindowMenuKeys, DownAndEnterRunAnItem)
{
    Press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(SelectDown(Menu("Plik1"), "Zapiszjako2"));
    Press(Qt::Key_Return);
    EXPECT_EQ(w.files.proposals.size(), 1u);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// Every item can be selected from the keyboard: down the first menu, right to the next, and
// right again into the submenu.
TEST_F(WindowMenuKeys, ArrowKeysReachEveryItem)
{
    Press(Qt::Key_F10);
    for (const char* item : {"Odczytaj3", "Zapiszjako2", "Wyjscie1"})
        EXPECT_TRUE(SelectDown(Menu("Plik1"), item)) << item;
    Press(Qt::Key_Right);
    ASSERT_TRUE(IsOpen(Menu("ToolsMenu")));
    for (const char* item : {"VerifyModule", "CompareWithFile", "VerifyAfterProgramming"})
        EXPECT_TRUE(SelectDown(Menu("ToolsMenu"), item)) << item;
    Press(Qt::Key_Right);
    ASSERT_TRUE(IsOpen(Menu("Pomoc1")));
    for (const char* item : {"Info", "Rozwiazywanieproblemw1"})
        EXPECT_TRUE(SelectDown(Menu("Pomoc1"), item)) << item;
    Press(Qt::Key_Right);
    QMenu& troubleshooting = Menu("Rozwiazywanieproblemw1");
    ASSERT_TRUE(IsOpen(troubleshooting));
    EXPECT_TRUE(SelectDown(troubleshooting, "Kotaktzdziaemtechnicznym1"));

    QStringList titles;
    for (QAction* menu : w.window->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({"File", "Tools", "Help"}));
}

} // namespace
} // namespace morvel::window_test
