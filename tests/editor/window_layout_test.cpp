// Every control of the window exists under its exact name with its kind, caption, limit and
// range, and the window starts in the state the operator expects.
#include "window_fixture.h"

#include "test_support.h"
#include "widgets/limited_edit.h"
#include "widgets/notes_memo.h"
#include "widgets/spin_edit.h"
#include "widgets/two_line_check_box.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace morvel::window_test {
namespace {

enum class Kind { Edit, Memo, Spin, Check, Button, Combo, Group, Label };

struct ExpectedControl {
    QString name;
    Kind kind;
    QString caption;  // check boxes, buttons, group boxes and labels
    int limit = 0;    // edits: characters (0 = none); memos: bytes; spin edits: the minimum
    int maximum = 0;  // spin edits
    bool visible = true;
};

ExpectedControl Edit(QString name, int limit, bool visible = true) { return {name, Kind::Edit, {}, limit, 0, visible}; }
ExpectedControl Spin(QString name, int minimum, int maximum) { return {name, Kind::Spin, {}, minimum, maximum}; }
ExpectedControl Check(QString name, const char* caption, bool visible = true)
{
    return {name, Kind::Check, QString::fromUtf8(caption), 0, 0, visible};
}
ExpectedControl Button(QString name, const char* caption) { return {name, Kind::Button, QString::fromUtf8(caption)}; }
ExpectedControl Group(QString name, const char* caption) { return {name, Kind::Group, QString::fromUtf8(caption)}; }
ExpectedControl Label(QString name, const char* caption) { return {name, Kind::Label, QString::fromUtf8(caption)}; }
ExpectedControl Combo(QString name) { return {name, Kind::Combo, QString()}; }
ExpectedControl Memo(QString name, int bytes) { return {name, Kind::Memo, QString(), bytes}; }

std::vector<ExpectedControl> AllControls()
{
    std::vector<ExpectedControl> c = {
        Combo("CBcom"),
        Button("Bprogramuj", "Program settings"),
        Button("BBload", "Read settings"),
        Group("GroupBox1", "Informations"),
        // Basic
        Group("GroupBox2", "Basic"), Group("GroupBox7", "SMS Settings"),
        Group("GroupBox10", "Periodic REPORT for USER 1"), Group("GroupBox12", "Unidentified SMS"),
        Group("GroupBox6", "SMS programming"), Group("GroupBox3", "CLIP settings"),
        Group("GroupBox13", "Additional"), Group("GroupBox8", "Clip from user"),
        Group("GroupBox9", "Clip from unknown user"),
        Edit("EPin", 4), Combo("CBcentrum"), Edit("Ecsms", 15),
        Spin("SEInNONCSTAT18", 10, 255), Spin("SEInONstat916", 1, 10),
        Check("ChBFlags_4", "Send report every"), Spin("SEtestokr", 1, 24),
        Check("ChbClipVerif7", "Send unidentified SMS to USER 1"),
        Check("ChBFlags_5", "Enable SMS programming"), Edit("EPINMOD", 4), Label("Label28", "SMS access code"),
        Spin("SEcallingTimer", 1, 240), Spin("SECALL_TIMER", 10, 255),
        Spin("SE1191", 1, 255), Spin("SE1190", 1, 255), Spin("SE1192", 1, 255),
        Check("CHB_funkcjaczaswy", "Switch ON \"exit time\" function"),
        Check("ChBClipNotVerif7", "ClipNotVerif7", false),
        // Outputs
        Group("GroupBox4", "Wyjście 1"), Group("GroupBox5", "Wyjście 2"),
        Group("GroupBox11", "Confirmation of outputs reactions"),
        Check("ChBFlags_0", "Enable/Disable output 1 by SMS"), Check("ChBFlags_1", "Enable/Disable output 2 by SMS"),
        Check("ChBFlags_2", "Auto Disable output 1 by time"), Check("ChBFlags_3", "Auto Disable output 2 by time"),
        Edit("EZalWy1", 2), Edit("EwylWy1", 2), Edit("EZalWy2", 2), Edit("EwylWy2", 2),
        Label("Label43", "Enable code"), Label("Label44", "Enable code"),
        Label("Label45", "Disable code"), Label("Label46", "Disable code"),
        Label("Label24", "Disable output 1 after time:"), Label("Label25", "Disable output 2 after time:"),
        Label("Label47", "[s]"), Label("Label48", "[s]"),
        Spin("SEWy_offTimer1", 1, 255), Spin("SEWy_offTimer2", 1, 255),
        Button("BBConfigWorkSpecWe1Re1", "Enabled"), Button("BBConfigWorkSpecWe1Re2", "Disabled"),
        Button("BBConfigWorkSpecWe2Re1", "Enabled"), Button("BBConfigWorkSpecWe2Re2", "Disabled"),
        Edit("ETSpecSMS_We1_Re1", 35), Edit("ETSpecSMS_We1_Re2", 35),
        Edit("ETSpecSMS_We2_Re1", 35), Edit("ETSpecSMS_We2_Re2", 35),
        // Special inputs
        Button("BB_ConfigNumerSpecWe3Re1", "Connecting to GND"), Button("BB_ConfigNumerSpecWe3Re2", "Disconnecting from GND"),
        Button("BB_ConfigNumerSpecWe5Re1", "Disconnecting from GND"), Button("BB_ConfigNumerSpecWe5Re2", "Connecting to GND"),
        Button("BBConfigWorkSpecWe3Re1", "SMS/CLIP"), Button("BBConfigWorkSpecWe3Re2", "SMS/CLIP"),
        Button("BBConfigWorkSpecWe5Re1", "SMS/CLIP"), Button("BBConfigWorkSpecWe5Re2", "SMS/CLIP"),
        Edit("ETSpecSMS_We3_Re1", 35), Edit("ETSpecSMS_We3_Re2", 35),
        Edit("ETSpecSMS_We5_Re1", 35), Edit("ETSpecSMS_We5_Re2", 35),
        Edit("ETSpecSMS_We4_Re1", 0, false), Edit("ETSpecSMS_We4_Re2", 0, false),
        Edit("ETSpecSMS_We6_Re1", 0, false), Edit("ETSpecSMS_We6_Re2", 0, false),
    };
    const char* userCaptions[] = {"Enable Output 1", "Enable Output 2", "Disable Output 1", "Disable Output 2",
                                  "Change the state for Output 1", "Change the state for Output 2",
                                  "Send REPORT to USER 1"};
    for (int d = 0; d <= 6; ++d) {
        c.push_back(Check(QStringLiteral("ChbClipVerif%1").arg(d), userCaptions[d]));
        c.push_back(Check(QStringLiteral("ChBClipNotVerif%1").arg(d), d == 1 ? "Enable output 2" : userCaptions[d]));
    }
    for (int u = 1; u <= 4; ++u) {
        c.push_back(Edit(QStringLiteral("Enruser%1").arg(u), 12));
        c.push_back(Edit(QStringLiteral("Eosoba%1").arg(u), 30));
        c.push_back(Memo(QStringLiteral("Muser%1").arg(u), 250));
    }
    for (int n = 1; n <= 8; ++n) {
        const bool plus = n == 4 || n == 6 || n == 8;
        c.push_back(Spin(QStringLiteral("SEtimerPod%1").arg(n), 1, 255));
        c.push_back(Spin(QStringLiteral("SEtimerTorBuf%1").arg(n), 1, 255));
        for (int e = 1; e <= 2; ++e) {
            const char* caption = e == 1 ? (plus ? "Connecting to +12V" : "Connecting to GND")
                                         : (plus ? "Disconnecting from +12V" : "Disconnecting from GND");
            c.push_back(Button(QStringLiteral("BB_ConfigNumerWe%1Re%2").arg(n).arg(e), caption));
            c.push_back(Button(QStringLiteral("BBConfigWorkWe%1Re%2").arg(n).arg(e), "CLIP/SMS"));
            c.push_back(Edit(QStringLiteral("ETSMS_We%1_Re%2").arg(n).arg(e), 35));
        }
    }
    return c;
}

// Exactly one widget below the window carries the name, compared with its exact letter case.
QWidget* FindExactlyOne(const QWidget& window, const QString& name)
{
    const QList<QWidget*> found = window.findChildren<QWidget*>(name);
    return found.size() == 1 ? found.front() : nullptr;
}

TEST(WindowLayout, EveryControlHasItsNameKindCaptionLimitAndRange)
{
    WindowUnderTest w;
    for (const ExpectedControl& expected : AllControls()) {
        SCOPED_TRACE(expected.name.toStdString());
        QWidget* control = FindExactlyOne(*w.window, expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->isHidden(), !expected.visible);
        switch (expected.kind) {
        case Kind::Edit: {
            auto* edit = qobject_cast<LimitedEdit*>(control);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->Limit(), expected.limit);
            break;
        }
        case Kind::Memo: {
            auto* memo = qobject_cast<NotesMemo*>(control);
            ASSERT_NE(memo, nullptr);
            EXPECT_EQ(memo->ByteLimit(), expected.limit);
            break;
        }
        case Kind::Spin: {
            auto* spin = qobject_cast<SpinEdit*>(control);
            ASSERT_NE(spin, nullptr);
            EXPECT_EQ(spin->minimum(), expected.limit);
            EXPECT_EQ(spin->maximum(), expected.maximum);
            EXPECT_EQ(spin->MaxDigits(), QString::number(expected.maximum).size());
            break;
        }
        case Kind::Check: {
            auto* box = qobject_cast<QCheckBox*>(control);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), expected.caption);
            break;
        }
        case Kind::Button: {
            auto* button = qobject_cast<QPushButton*>(control);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), expected.caption);
            break;
        }
        case Kind::Combo: {
            auto* combo = qobject_cast<QComboBox*>(control);
            ASSERT_NE(combo, nullptr);
            EXPECT_TRUE(combo->isEditable());
            break;
        }
        case Kind::Group: {
            auto* group = qobject_cast<QGroupBox*>(control);
            ASSERT_NE(group, nullptr);
            EXPECT_EQ(group->title(), expected.caption);
            break;
        }
        case Kind::Label: {
            auto* label = qobject_cast<QLabel*>(control);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), expected.caption);
            break;
        }
        }
    }
}

// The reaction dialogs read which byte a button stands for from its name and, for the
// notification buttons of special entries, from the name of the button's direct parent.
TEST(WindowLayout, ReactionButtonsSitInTheContainersTheDialogsExpect)
{
    WindowUnderTest w;
    for (const char* name : {"BB_ConfigNumerSpecWe3Re1", "BBConfigWorkSpecWe5Re2"})
        EXPECT_EQ(w.Get<QPushButton>(name).parentWidget()->objectName(), QString("TabSheet4")) << name;
    for (const char* name : {"BBConfigWorkSpecWe1Re1", "BBConfigWorkSpecWe2Re2"})
        EXPECT_EQ(w.Get<QPushButton>(name).parentWidget()->objectName(), QString("GroupBox11")) << name;
    auto& scroll = w.Get<QScrollArea>("ScrollBox1");
    EXPECT_EQ(w.Get<QPushButton>("BB_ConfigNumerWe8Re2").parentWidget(), scroll.widget());
}

TEST(WindowLayout, PagesMenuAndShell)
{
    WindowUnderTest w;
    EXPECT_EQ(w.window->windowTitle(), QString("Morvel Loader v 1.1 ENG"));
    auto& pages = w.Get<QTabWidget>("PageControl2");
    const QStringList captions{"Basic", "Telephone numbers", "Inputs", "Special Inputs", "Outputs"};
    ASSERT_EQ(pages.count(), captions.size());
    for (int i = 0; i < pages.count(); ++i) {
        EXPECT_EQ(pages.tabText(i), captions[i]);
        EXPECT_TRUE(pages.widget(i)->findChild<QWidget*>(QStringLiteral("TabSheet%1").arg(i + 1)) != nullptr
                    || pages.widget(i)->objectName() == QStringLiteral("TabSheet%1").arg(i + 1))
            << i;
    }
    EXPECT_EQ(pages.currentIndex(), 0);

    const std::pair<const char*, const char*> items[] = {
        {"Odczytaj3", "Load ..."}, {"Zapiszjako2", "Save as ..."}, {"Wyjscie1", "Exit"},
        {"Info", "About"}, {"Kotaktzdziaemtechnicznym1", "Contact with support"},
        {"Rozwiazywanieproblemw1", "Troubleshooting Guide"}};
    for (const auto& [name, caption] : items) {
        QAction* action = w.window->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString(caption));
    }
}

// A control shows its whole caption when it has at least the room its caption needs.
bool HasRoomForItsCaption(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control); label && label->wordWrap())
        return label->height() >= label->heightForWidth(label->width());
    return control.width() >= control.minimumSizeHint().width() && control.height() >= control.minimumSizeHint().height();
}

// At the window's starting size each page fits without scrolling (the inputs scroll down only,
// in their own box) and no caption is cut.
TEST(WindowLayout, PagesFitTheStartingSizeWithNothingClipped)
{
    WindowUnderTest w;
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    auto& pages = w.Get<QTabWidget>("PageControl2");
    for (int page = 0; page < pages.count(); ++page) {
        SCOPED_TRACE(pages.tabText(page).toStdString());
        pages.setCurrentIndex(page);
        QCoreApplication::processEvents();
        QList<QScrollArea*> areas = pages.widget(page)->findChildren<QScrollArea*>();
        if (auto* pageArea = qobject_cast<QScrollArea*>(pages.widget(page)))
            areas << pageArea;
        ASSERT_FALSE(areas.isEmpty());
        for (const QScrollArea* area : areas) {
            EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
            if (area->objectName() != "ScrollBox1") {
                EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
            }
        }
        for (const QWidget* control : pages.widget(page)->findChildren<QWidget*>()) {
            const bool captioned = qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control);
            if (captioned && control->isVisible()) {
                EXPECT_TRUE(HasRoomForItsCaption(*control))
                    << control->metaObject()->className() << " " << control->objectName().toStdString() << " "
                    << control->width() << "x" << control->height() << ", needs " << control->minimumSizeHint().width()
                    << "x" << control->minimumSizeHint().height();
            }
        }
    }
}

// The check box keeps its caption as one text and shows it on two lines; both lines toggle it.
TEST(WindowLayout, UnidentifiedSmsCaptionStandsOnTwoLines)
{
    WindowUnderTest w;
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    auto& box = w.Get<TwoLineCheckBox>("ChbClipVerif7");
    EXPECT_EQ(box.text(), QString("Send unidentified SMS to USER 1"));
    EXPECT_EQ(box.ShownCaption(), QString("Send unidentified\nSMS to USER 1"));
    EXPECT_GE(box.height(), 2 * box.fontMetrics().height());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() / 4, box.height() - box.fontMetrics().height() / 2));
    EXPECT_TRUE(box.isChecked());
}

// The two time headers of the inputs break between words onto two lines, and read as one.
TEST(WindowLayout, TimeHeadersOfTheInputsStandOnTwoLines)
{
    WindowUnderTest w;
    const std::pair<const char*, const char*> headers[] = {
        {"Time of reaction [ x 0,1s]", "Time of reaction\n[ x 0,1s]"},
        {"Blocking the input after reaction [x 10s]", "Blocking the input\nafter reaction [x 10s]"}};
    const auto labels = w.Get<QScrollArea>("ScrollBox1").widget()->findChildren<QLabel*>();
    for (const auto& [caption, shown] : headers) {
        const auto found = std::find_if(labels.begin(), labels.end(),
                                        [&](const QLabel* label) { return label->accessibleName() == caption; });
        ASSERT_NE(found, labels.end()) << caption;
        EXPECT_EQ((*found)->text(), QString(shown));
    }
}

// The next control Tab reaches from `control`: the focus chain without the controls' inner
// editors and without what Tab skips.
QWidget* NextTabStop(QWidget& control)
{
    for (QWidget* next = control.nextInFocusChain(); next && next != &control; next = next->nextInFocusChain()) {
        const bool inner = qobject_cast<QAbstractSpinBox*>(next->parentWidget())
                           || qobject_cast<QComboBox*>(next->parentWidget());
        if (!inner && !next->isHidden() && (next->focusPolicy() & Qt::TabFocus) && !next->objectName().isEmpty())
            return next;
    }
    return nullptr;
}

TEST(WindowLayout, FocusRunsInTheOrderTheOperatorFillsTheFields)
{
    WindowUnderTest w;
    const std::vector<std::vector<const char*>> runs = {
        {"EPin", "CBcentrum", "Ecsms", "SEInNONCSTAT18", "SEInONstat916", "ChBFlags_4", "SEtestokr", "ChbClipVerif7",
         "ChBFlags_5", "EPINMOD", "SEcallingTimer", "SECALL_TIMER", "ChbClipVerif0"},
        {"ChBClipNotVerif6", "SE1191", "SE1190", "SE1192", "CHB_funkcjaczaswy"},
        {"Enruser1", "Eosoba1", "Muser1", "Enruser2", "Eosoba2", "Muser2", "Enruser4", "Eosoba4", "Muser4"},
        {"SEtimerPod1", "SEtimerTorBuf1", "BB_ConfigNumerWe1Re1", "BBConfigWorkWe1Re1", "ETSMS_We1_Re1",
         "BB_ConfigNumerWe1Re2", "BBConfigWorkWe1Re2", "ETSMS_We1_Re2", "SEtimerPod2"},
        {"ChBFlags_0", "EZalWy1", "EwylWy1", "ChBFlags_2", "SEWy_offTimer1", "ChBFlags_1"},
    };
    for (const auto& run : runs) {
        for (std::size_t i = 0; i + 1 < run.size(); ++i) {
            if (QString(run[i]) == "Muser2") {
                EXPECT_EQ(NextTabStop(w.Get<QWidget>(run[i]))->objectName(), QString("Enruser3"));
                continue;  // the run goes on at user 4
            }
            QWidget* next = NextTabStop(w.Get<QWidget>(run[i]));
            ASSERT_NE(next, nullptr) << run[i];
            EXPECT_EQ(next->objectName(), QString(run[i + 1])) << "after " << run[i];
        }
    }
}

TEST(WindowStartUp, ShowsTheDefaultsAndAnIdleLink)
{
    WindowUnderTest w({"COM1", "COM10", "COM2"});
    EXPECT_EQ(w.Get<QComboBox>("CBcom").currentText(), QString("COM1"));
    EXPECT_EQ(w.Get<QComboBox>("CBcom").count(), 3);
    EXPECT_EQ(w.Get<QListWidget>("ListBox1").count(), 0);
    EXPECT_TRUE(w.Get<QPushButton>("Bprogramuj").isEnabled());
    EXPECT_TRUE(w.Get<QPushButton>("BBload").isEnabled());
    EXPECT_FALSE(w.window->Link().runInProgress());
    EXPECT_EQ(w.Get<QComboBox>("CBcentrum").currentText(), QString("Own "));
    EXPECT_EQ(w.Get<QLineEdit>("Ecsms").text(), QString());

    const std::pair<const char*, int> spins[] = {
        {"SEtestokr", 1}, {"SEcallingTimer", 1}, {"SEInONstat916", 1}, {"SEWy_offTimer1", 1}, {"SEWy_offTimer2", 1},
        {"SECALL_TIMER", 10}, {"SEInNONCSTAT18", 10}, {"SE1190", 1}, {"SE1191", 1}, {"SE1192", 1},
        {"SEtimerPod1", 1}, {"SEtimerPod8", 1}, {"SEtimerTorBuf1", 1}, {"SEtimerTorBuf8", 1}};
    for (const auto& [name, shown] : spins)
        EXPECT_EQ(w.Get<SpinEdit>(name).text(), QString::number(shown)) << name;
    for (QLineEdit* edit : w.window->findChildren<QLineEdit*>()) {
        if (edit->objectName().startsWith('E')) {
            EXPECT_EQ(edit->text(), QString()) << edit->objectName().toStdString();
        }
    }
    for (QCheckBox* box : w.window->findChildren<QCheckBox*>())
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    // With their options off, the output codes, off-timers, report period and access code are grey.
    for (const char* name : {"EZalWy1", "EwylWy2", "SEWy_offTimer1", "SEWy_offTimer2", "EPINMOD", "SEtestokr"})
        EXPECT_FALSE(w.Get<QWidget>(name).isEnabled()) << name;
}

TEST(WindowStartUp, WithoutPortsThePortBoxIsEmptyForTyping)
{
    WindowUnderTest w;
    auto& ports = w.Get<QComboBox>("CBcom");
    EXPECT_EQ(ports.count(), 0);
    EXPECT_EQ(ports.currentText(), QString());
}

TEST(WindowShell, InformationListIsFilledOnlyByTheLinkAndExitClosesTheWindow)
{
    WindowUnderTest w;
    w.window->show();
    ASSERT_TRUE(w.window->isVisible());
    w.window->findChild<QAction*>("Wyjscie1")->trigger();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_TRUE(w.boxes.shown.empty());
}

} // namespace
} // namespace morvel::window_test
