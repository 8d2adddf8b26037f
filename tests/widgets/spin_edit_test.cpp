#include "widgets/spin_edit.h"

#include "test_support.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QApplication>

#include <gtest/gtest.h>

namespace morvel {
namespace {

// A shown, active window with the spin edit and a second field to move the focus to: focus-out
// only happens once the window is active.
class SpinEditWindow {
public:
    SpinEditWindow(int minimum, int maximum)
        : spin(new SpinEdit(minimum, maximum)), other(new QLineEdit)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(spin);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        spin->setFocus();
        spin->selectAll();
    }
    void Leave()
    {
        other->setFocus();
        QCoreApplication::processEvents();
    }
    QWidget window;
    SpinEdit* spin;
    QLineEdit* other;
};

struct TypingCase {
    const char* name;
    int minimum, maximum;
    const char* typed;        // replaces the selected text
    int valueWhileFocused;    // what a store pass reads before the field is left
    int refusedKeys;
    const char* textAfterLeaving;
};

class SpinEditTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(SpinEditTyping, ReadsAndCorrectsWhatIsTyped)
{
    const TypingCase& c = GetParam();
    SpinEditWindow w(c.minimum, c.maximum);
    QSignalSpy refused(w.spin, &SpinEdit::KeyRefused);
    QTest::keyClicks(w.spin, QString::fromUtf8(c.typed));
    EXPECT_EQ(w.spin->Value(), c.valueWhileFocused);
    EXPECT_EQ(refused.count(), c.refusedKeys);
    w.Leave();
    EXPECT_EQ(w.spin->text(), QString::fromLatin1(c.textAfterLeaving));
    EXPECT_EQ(w.spin->value(), w.spin->text().toInt());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpinEditTyping,
    ::testing::Values(
        TypingCase{"InRange", 1, 255, "42", 42, 0, "42"},
        TypingCase{"AboveMaximumStoredAsMaximum", 1, 255, "300", 255, 0, "255"},
        TypingCase{"BelowMinimumBecomesMinimum", 1, 255, "0", 1, 0, "1"},
        TypingCase{"EmptyReadsAsMinimum", 10, 255, "", 10, 0, "10"},
        TypingCase{"MinusSignRefused", 1, 255, "-5", 5, 1, "5"},
        TypingCase{"LettersRefused", 1, 24, "1a2", 12, 1, "12"},
        TypingCase{"PlusAndSpaceRefused", 1, 24, "+ 7", 7, 2, "7"},
        TypingCase{"NoMoreDigitsThanTheMaximumHas", 1, 10, "123", 10, 0, "10"},
        TypingCase{"ThreeDigitFieldCutsTheFourth", 1, 240, "2345", 234, 0, "234"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpinEdit, EnterIsRefusedWithABeepAndMovesNothing)
{
    SpinEditWindow w(1, 255);
    QTest::keyClicks(w.spin, "17");
    QSignalSpy refused(w.spin, &SpinEdit::KeyRefused);
    QSignalSpy finished(w.spin, &QAbstractSpinBox::editingFinished);
    QTest::keyClick(w.spin, Qt::Key_Return);
    QTest::keyClick(w.spin, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(refused.count(), 2);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(w.spin->hasFocus());
    EXPECT_EQ(w.spin->text(), QString("17"));
}

TEST(SpinEdit, ArrowKeysStepByOneWithinTheRange)
{
    SpinEditWindow w(1, 10);
    w.spin->SetValue(9);
    QTest::keyClick(w.spin, Qt::Key_Up);
    QTest::keyClick(w.spin, Qt::Key_Up);
    EXPECT_EQ(w.spin->Value(), 10);
    QTest::keyClick(w.spin, Qt::Key_Down);
    EXPECT_EQ(w.spin->Value(), 9);
}

TEST(SpinEdit, WheelStepsOnlyAFocusedField)
{
    SpinEditWindow w(1, 255);
    w.spin->SetValue(5);
    const auto wheelUp = [&] {
        const QPointF centre = QPointF(w.spin->rect().center());
        QWheelEvent wheel(centre, w.spin->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.spin, &wheel);
    };
    w.Leave();
    wheelUp();
    EXPECT_EQ(w.spin->Value(), 5);
    w.spin->setFocus();
    wheelUp();
    EXPECT_EQ(w.spin->Value(), 6);
}

struct SetCase {
    int minimum, maximum, set, shown;
};

class SpinEditSetValue : public ::testing::TestWithParam<SetCase> {};

TEST_P(SpinEditSetValue, ProgramValuesAreBroughtIntoRange)
{
    const SetCase& c = GetParam();
    SpinEdit spin(c.minimum, c.maximum);
    spin.SetValue(c.set);
    EXPECT_EQ(spin.text(), QString::number(c.shown));
    EXPECT_EQ(spin.Value(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpinEditSetValue,
                         ::testing::Values(SetCase{1, 255, 0, 1}, SetCase{10, 255, 5, 10},
                                           SetCase{1, 24, 200, 24}, SetCase{1, 240, 255, 240},
                                           SetCase{1, 255, 255, 255}, SetCase{1, 10, 7, 7}));

TEST(SpinEdit, StartsAtItsMinimum)
{
    EXPECT_EQ(SpinEdit(1, 255).text(), QString("1"));
    EXPECT_EQ(SpinEdit(10, 255).text(), QString("10"));
}

} // namespace
} // namespace morvel
