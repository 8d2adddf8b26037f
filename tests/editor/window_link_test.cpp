// "Program settings" and "Read settings" pressed on the window, against the simulated module on
// a pseudo-terminal.
#include "window_fixture.h"

#include "model/defaults.h"
#include "model/image_codec.h"
#include "pty_module.h"
#include "test_support.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace morvel::window_test {
namespace {

using namespace std::chrono_literals;

// The lines the link writes, restated.
const QString kProgrammingDone = QString::fromUtf8("Programowanie zakończone pomyślnie.");
const QString kReadDone = QString::fromUtf8("zaladowane ustawienia z eprom");
constexpr std::size_t kProgrammedBytes = 1195;  // image bytes 0 to 1194
constexpr std::size_t kReportPeriod = 24, kSimPin = 101, kFlags = 12, kFirstUserNumber = 125, kSirenTime = 1227;

class WindowLink : public ::testing::Test {
protected:
    WindowLink() : w({}, 3s), module(sim::ModuleOptions{})
    {
        module.Start();
        w.Get<QComboBox>("CBcom").setEditText(QString::fromStdString(module.PortPath()));
    }
    ~WindowLink() override { module.Stop(); }

    bool ListHolds(const QString& line) const
    {
        const auto& list = w.Get<QListWidget>("ListBox1");
        return !list.findItems(line, Qt::MatchExactly).isEmpty();
    }

    WindowUnderTest w;
    sim::PtyModule module;
};

TEST_F(WindowLink, ProgramSettingsWritesTheEditedSettingsIntoTheModule)
{
    w.Get<QLineEdit>("EPin").setText("4321");
    w.Get<QLineEdit>("Enruser1").setText("+48600100200");
    w.Get<SpinEdit>("SE1192").SetValue(90);
    auto& program = w.Get<QPushButton>("Bprogramuj");
    auto& read = w.Get<QPushButton>("BBload");

    QTest::mouseClick(&program, Qt::LeftButton);
    EXPECT_FALSE(program.isEnabled());
    EXPECT_FALSE(read.isEnabled());
    ASSERT_TRUE(ProcessEventsUntil([&] { return ListHolds(kProgrammingDone); }, 10s));

    EXPECT_TRUE(program.isEnabled());
    EXPECT_TRUE(read.isEnabled());
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_LE(w.Get<QListWidget>("ListBox1").count(), 7);
    const sim::ModuleMemory memory = module.Memory();
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kProgrammedBytes, w.model.image.bytes.begin()));
    // What the module holds decodes to what the fields showed.
    TEepromImage inModule;
    std::copy(memory.begin(), memory.end(), inModule.bytes.begin());
    TSettingsRecord decoded;
    DecodeImage(inModule, decoded);
    const auto text = [&](std::size_t offset) {
        return std::string(decoded.bytes.begin() + offset + 1, decoded.bytes.begin() + offset + 1 + decoded.bytes[offset]);
    };
    EXPECT_EQ(text(kSimPin), "4321");
    EXPECT_EQ(text(kFirstUserNumber), "+48600100200");
    EXPECT_EQ(decoded.bytes[kSirenTime], 90);
}

TEST_F(WindowLink, ReadSettingsShowsTheModulesSettingsAndKeepsTheNotes)
{
    TSettingsRecord inModule;
    ApplyDefaults(inModule);
    inModule.bytes[kReportPeriod] = 6;
    inModule.bytes[kFlags] = 0x10;  // periodic report on
    const char pin[] = "2468";
    inModule.bytes[kSimPin] = 4;
    std::copy(pin, pin + 4, inModule.bytes.begin() + kSimPin + 1);
    TEepromImage image;
    EncodeImage(inModule, image);
    sim::ModuleMemory memory{};
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    module.SetMemory(memory);
    w.Get<QLineEdit>("Eosoba1").setText("Jan");

    QTest::mouseClick(&w.Get<QPushButton>("BBload"), Qt::LeftButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return ListHolds(kReadDone); }, 10s));

    EXPECT_EQ(w.Get<QLineEdit>("EPin").text(), QString("2468"));
    EXPECT_EQ(w.Get<SpinEdit>("SEtestokr").Value(), 6);
    EXPECT_TRUE(w.Get<QCheckBox>("ChBFlags_4").isChecked());
    EXPECT_TRUE(w.Get<SpinEdit>("SEtestokr").isEnabled());
    EXPECT_EQ(w.Get<QLineEdit>("Eosoba1").text(), QString("Jan"));
    EXPECT_TRUE(w.boxes.shown.empty());
}

TEST(WindowLinkFailure, PortThatCannotBeOpenedIsReportedAndLeavesTheButtonsUsable)
{
    WindowUnderTest w;
    const QString missing = OwnName("/nonexistent/morvel-port");
    w.Get<QComboBox>("CBcom").setEditText(missing);
    w.window->BprogramujClick();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_EQ(w.boxes.shown[0].text, "Unable to open com port (win error code: 2)");
    EXPECT_TRUE(w.boxes.shown[0].detail.startsWith("There is no port " + missing))
        << w.boxes.shown[0].detail.toStdString();
    EXPECT_TRUE(w.Get<QPushButton>("Bprogramuj").isEnabled());
    EXPECT_TRUE(w.Get<QPushButton>("BBload").isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(w.window->Link().runInProgress());
}

TEST(WindowLinkFailure, AdapterLostDuringProgrammingIsShownWithWhatToDo)
{
    // Cut in the middle of a reply: a hang-up right after a whole one would race the tool's next
    // frame, whose failed write then reports the loss in its own words.
    sim::ModuleOptions hangsUp;
    hangsUp.hangUpAfterBytes = 10;
    sim::PtyModule module(hangsUp);
    module.Start();
    WindowUnderTest w({}, 20s);
    w.Get<QComboBox>("CBcom").setEditText(QString::fromStdString(module.PortPath()));
    w.window->BprogramujClick();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !w.boxes.shown.empty(); }));
    EXPECT_TRUE(w.boxes.shown[0].text.startsWith("Com port lost (win error code: ")) << w.boxes.shown[0].text.toStdString();
    EXPECT_EQ(w.boxes.shown[0].detail, "The adapter was disconnected during programming; plug it in and program "
                                       "again; the module may hold a mix of old and new settings.");
    EXPECT_TRUE(w.Get<QPushButton>("Bprogramuj").isEnabled());
    EXPECT_FALSE(w.window->Link().runInProgress());
}

TEST(WindowPortBox, OpeningTheDropDownReadsThePortsAgainAndKeepsTheText)
{
    WindowUnderTest w({"ttyS0"});
    auto& box = w.Get<QComboBox>("CBcom");
    ASSERT_EQ(box.currentText(), "ttyS0");
    box.setEditText("/tmp/morvel-typed-port");
    PortDescription adapter;
    adapter.name = "ttyUSB0";
    adapter.description = "FT232R USB UART";
    adapter.manufacturer = "FTDI";
    adapter.serialNumber = "A50285BI";
    w.ports.append(adapter);

    box.showPopup();
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "ttyS0");
    EXPECT_EQ(box.itemText(1), "ttyUSB0");
    EXPECT_EQ(box.itemData(1, Qt::ToolTipRole).toString(), "FT232R USB UART, FTDI, serial A50285BI");
    EXPECT_EQ(box.currentText(), "/tmp/morvel-typed-port");
    box.hidePopup();

    // A chosen port keeps its place when another one goes away.
    box.setCurrentIndex(1);
    w.ports.removeFirst();
    box.showPopup();
    box.hidePopup();
    ASSERT_EQ(box.count(), 1);
    EXPECT_EQ(box.currentText(), "ttyUSB0");
}

// Below the 440-pixel pages the information list takes the rest of the window, and at the
// window's starting size every one of the seven lines it keeps is in view.
TEST(WindowInformationList, ShowsAllSevenLinesAtTheStartingSize)
{
    WindowUnderTest w;
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    auto& list = w.Get<QListWidget>("ListBox1");
    w.Get<QLineEdit>("Enruser2").setText("48601000310"); // no leading plus: each press adds a line
    for (int press = 0; press < 9; ++press)
        w.window->BprogramujClick();
    QCoreApplication::processEvents();

    EXPECT_EQ(w.window->size(), QSize(751, 686));
    EXPECT_EQ(w.Get<QWidget>("PageControl2").height(), 440);
    const QWidget& information = w.Get<QWidget>("GroupBox1");
    EXPECT_EQ(information.geometry().bottom(), w.window->centralWidget()->rect().bottom());
    ASSERT_EQ(list.count(), 7);
    for (int line = 0; line < list.count(); ++line) {
        const QRect shown = list.visualItemRect(list.item(line));
        EXPECT_TRUE(list.viewport()->rect().contains(shown))
            << "line " << line << " at y " << shown.top() << ".." << shown.bottom() << ", view height "
            << list.viewport()->height();
    }
    EXPECT_EQ(list.verticalScrollBar()->maximum(), 0);
}

TEST(WindowLinkFailure, SilentModuleEndsTheRunAfterTheTimeOut)
{
    WindowUnderTest w({}, 200ms);
    sim::ModuleOptions silent;
    silent.repliesBeforeSilence = 0;
    sim::PtyModule module(silent);
    module.Start();
    w.Get<QComboBox>("CBcom").setEditText(QString::fromStdString(module.PortPath()));
    w.window->BprogramujClick();
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return !w.Get<QListWidget>("ListBox1").findItems("No answer from module    ", Qt::MatchExactly).isEmpty(); },
        5s));
    EXPECT_TRUE(w.Get<QPushButton>("Bprogramuj").isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    module.Stop();
}

} // namespace
} // namespace morvel::window_test
