// The "Tools" menu against the simulated module: verifying the module, verifying after
// programming and comparing with a file, none of which may change what the editor holds.
#include "window_fixture.h"

#include "editor/binding.h"
#include "editor/verification_dialog.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "model/settings_file.h"
#include "pty_module.h"
#include "test_support.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>

namespace morvel::window_test {
namespace {

using namespace std::chrono_literals;

// The texts, restated.
const QString kProgrammingDone = QString::fromUtf8("Programowanie zakończone pomyślnie.");
const QString kStarted = QStringLiteral("Verification: reading the module ...");
const QString kPassed = QStringLiteral("Verified: the module holds the settings shown in the editor.");
const QString kOneDiffers = QStringLiteral("Verification failed: 1 setting differs in the module. Program it again.");
const QString kAgrees = QStringLiteral("The module holds the settings shown in the editor.");
const QString kReadBackGoing =
    QStringLiteral("The module is being read for a verification: wait for its result, then try again.");
const QString kReadBackRefused = QStringLiteral("The module is being programmed or read: verify it once that run has ended.");
constexpr std::size_t kUser2Slot = 135; // image offset of user 2's number

// What every control shows, by name: a verification must leave all of it as it was.
std::map<QString, QString> ControlStates(const QWidget& window)
{
    std::map<QString, QString> states;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty())
            continue;
        QString& state = states[name];
        state = widget->isEnabled() ? "enabled " : "disabled ";
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            state += edit->text();
        else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget))
            state += memo->toPlainText();
        else if (const auto* box = qobject_cast<const QCheckBox*>(widget))
            state += box->isChecked() ? "checked" : "clear";
        else if (const auto* spin = qobject_cast<const SpinEdit*>(widget))
            state += spin->text();
        else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            state += QString::number(combo->currentIndex()) + " " + combo->currentText();
    }
    return states;
}

class WindowVerification : public ::testing::Test {
protected:
    explicit WindowVerification(sim::ModuleOptions options = {}, std::chrono::milliseconds timeout = 3s)
        : w({}, timeout), module(options)
    {
        module.Start();
        w.Get<QComboBox>("CBcom").setEditText(QString::fromStdString(module.PortPath()));
    }
    ~WindowVerification() override { module.Stop(); }

    QAction& Action(const char* name) const { return *w.window->findChild<QAction*>(QString::fromLatin1(name)); }
    const QListWidget& List() const { return w.Get<QListWidget>("ListBox1"); }
    bool ListHolds(const QString& line) const { return !List().findItems(line, Qt::MatchExactly).isEmpty(); }
    VerificationDialog& Report() const { return *w.window->findChild<VerificationDialog*>("VerificationReport"); }
    const QTableWidget& Table() const { return *Report().findChild<QTableWidget*>("DifferenceTable"); }
    QString Verdict() const { return Report().findChild<QLabel*>("VerdictText")->text(); }
    bool WaitForReport() const { return ProcessEventsUntil([&] { return Report().isVisible(); }, 10s); }

    // The module holds what the editor shows, but for user 2's number.
    void HoldTheEditorsSettingsBut(const char* user2)
    {
        TSettingsRecord shown = w.model.record;
        StoreRecordPass(*w.window, shown);
        UserNumber(shown, 2).assign(user2);
        TEepromImage image;
        EncodeImage(shown, image);
        sim::ModuleMemory memory{};
        std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
        module.SetMemory(memory);
    }

    WindowUnderTest w;
    sim::PtyModule module;
};

TEST_F(WindowVerification, AModuleThatAgreesIsReportedSo)
{
    HoldTheEditorsSettingsBut("");
    Action("VerifyModule").trigger();
    ASSERT_TRUE(WaitForReport());
    EXPECT_EQ(Verdict(), kAgrees);
    EXPECT_FALSE(Table().isVisible());
    EXPECT_TRUE(ListHolds(kStarted));
    EXPECT_EQ(List().item(List().count() - 1)->text(), kPassed);
    EXPECT_EQ(module.Counters().programmingStarts, 0);
}

TEST_F(WindowVerification, ADifferingModuleIsTabledAndChangesNothingInTheEditor)
{
    w.Get<QLineEdit>("Enruser2").setText("+48601234567");
    w.Get<QLineEdit>("Eosoba2").setText("Jan");
    HoldTheEditorsSettingsBut("+48700800900");
    const TSettingsRecord record = w.model.record;
    const TUserNotes notes = w.model.notes;
    const TEepromImage image = w.model.image;
    const auto controls = ControlStates(*w.window);

    Action("VerifyModule").trigger();
    ASSERT_TRUE(WaitForReport());
    ASSERT_EQ(Table().rowCount(), 1);
    EXPECT_EQ(Table().item(0, 0)->text(), QStringLiteral("Telephone numbers / User 2 number"));
    EXPECT_EQ(Table().item(0, 1)->text(), QStringLiteral("\"+48601234567\""));
    EXPECT_EQ(Table().item(0, 2)->text(), QStringLiteral("\"+48700800900\""));
    EXPECT_EQ(List().item(List().count() - 1)->text(), kOneDiffers);

    EXPECT_EQ(w.model.record, record);
    EXPECT_EQ(w.model.notes, notes);
    EXPECT_EQ(w.model.image, image);
    EXPECT_EQ(ControlStates(*w.window), controls);

    QTest::mouseClick(Report().findChild<QPushButton*>("CopyTable"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("Setting\tEditor\tModule\nTelephone numbers / User 2 number\t\"+48601234567\"\t\"+48700800900\"\n"));
}

TEST_F(WindowVerification, OtherRunsAreRefusedWhileTheModuleIsRead)
{
    Action("VerifyModule").trigger();
    w.window->BprogramujClick();
    w.window->BBloadClick();
    Action("VerifyModule").trigger();
    EXPECT_EQ(List().findItems(kReadBackGoing, Qt::MatchExactly).size(), 3);
    ASSERT_TRUE(WaitForReport());
    EXPECT_EQ(module.Counters().programmingStarts, 0);
    EXPECT_EQ(module.Counters().readsAnswered, 1);
    EXPECT_TRUE(w.boxes.shown.empty());
}

TEST_F(WindowVerification, AVerificationIsRefusedDuringProgramming)
{
    w.window->BprogramujClick();
    Action("VerifyModule").trigger();
    EXPECT_TRUE(ListHolds(kReadBackRefused));
    ASSERT_TRUE(ProcessEventsUntil([&] { return ListHolds(kProgrammingDone); }, 10s));
    EXPECT_FALSE(Report().isVisible());
    EXPECT_EQ(module.Counters().readsAnswered, 0);
}

TEST_F(WindowVerification, UncheckedProgrammingIsNotFollowedByARead)
{
    EXPECT_FALSE(Action("VerifyAfterProgramming").isChecked());
    w.window->BprogramujClick();
    ASSERT_TRUE(ProcessEventsUntil([&] { return ListHolds(kProgrammingDone); }, 10s));
    QCoreApplication::processEvents();
    EXPECT_EQ(List().item(List().count() - 1)->text(), kProgrammingDone);
    EXPECT_EQ(module.Counters().readsAnswered, 0);
}

TEST_F(WindowVerification, CompareWithFileTablesTheDifferencesAndLoadsNothing)
{
    QTemporaryDir dir;
    SettingsModel file;
    file.record = w.model.record;
    StoreRecordPass(*w.window, file.record);
    UserName(file.notes, 3).assign("Ewa");
    const QString path = dir.filePath("other.orv");
    ASSERT_FALSE(WriteSettingsFile(file.record, file.notes, path.toStdString()));
    const auto controls = ControlStates(*w.window);
    const TSettingsRecord record = w.model.record;

    w.files.toLoad = {path};
    Action("CompareWithFile").trigger();
    ASSERT_TRUE(Report().isVisible());
    EXPECT_EQ(Verdict(), QStringLiteral("The editor and other.orv differ in these settings. Nothing was loaded."));
    ASSERT_EQ(Table().rowCount(), 1);
    EXPECT_EQ(Table().item(0, 0)->text(), QStringLiteral("Telephone numbers / User 3 name"));
    EXPECT_EQ(Table().item(0, 2)->text(), QStringLiteral("\"Ewa\""));
    EXPECT_EQ(ControlStates(*w.window), controls);
    EXPECT_EQ(w.model.record, record);
    EXPECT_EQ(module.Counters().readsAnswered, 0);

    w.window->Button1Click(); // the save dialog still proposes no name
    ASSERT_EQ(w.files.proposals.size(), 1u);
    EXPECT_EQ(w.files.proposals[0], QString());
}

TEST_F(WindowVerification, CompareWithAFileThatCannotBeReadSaysSo)
{
    w.files.toLoad = {QStringLiteral("/nonexistent/morvel/none.orv")};
    Action("CompareWithFile").trigger();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_TRUE(w.boxes.shown[0].detail.contains("The editor still shows the previous settings."));
    EXPECT_FALSE(Report().isVisible());
}

class WindowVerificationAfterProgramming : public WindowVerification {
protected:
    static sim::ModuleOptions WornCell()
    {
        sim::ModuleOptions options;
        options.corruptOffset = long(kUser2Slot + 5);
        return options;
    }
    WindowVerificationAfterProgramming() : WindowVerification(WornCell()) {}
};

TEST_F(WindowVerificationAfterProgramming, ReportsTheByteTheModuleKeptWrongly)
{
    w.Get<QLineEdit>("Enruser2").setText("+48601234567");
    Action("VerifyAfterProgramming").trigger();
    ASSERT_TRUE(Action("VerifyAfterProgramming").isChecked());
    w.window->BprogramujClick();
    ASSERT_TRUE(WaitForReport());
    ASSERT_EQ(Table().rowCount(), 1);
    EXPECT_EQ(Table().item(0, 0)->text(), QStringLiteral("Telephone numbers / User 2 number"));
    EXPECT_EQ(Table().item(0, 2)->text(), QStringLiteral("\"+48611234567\""));
    EXPECT_TRUE(ListHolds(kProgrammingDone));
    EXPECT_EQ(List().item(List().count() - 1)->text(), kOneDiffers);
}

class WindowVerificationOfASilentModule : public WindowVerification {
protected:
    static sim::ModuleOptions Silent()
    {
        sim::ModuleOptions options;
        options.repliesBeforeSilence = 0;
        return options;
    }
    WindowVerificationOfASilentModule() : WindowVerification(Silent(), 200ms) {}
};

TEST_F(WindowVerificationOfASilentModule, ATimedOutReadIsNeverVerified)
{
    Action("VerifyModule").trigger();
    ASSERT_TRUE(WaitForReport());
    EXPECT_TRUE(Verdict().startsWith(QStringLiteral("The module could not be read, so it is not verified: No answer from module")))
        << Verdict().toStdString();
    EXPECT_TRUE(ListHolds(QStringLiteral("No answer from module    ")));
    EXPECT_EQ(List().item(List().count() - 1)->text(),
              QStringLiteral("Could not verify (No answer from module). Check the port and the cable, then verify again."));
    EXPECT_FALSE(ListHolds(kPassed));
}

TEST(WindowVerificationWithoutAPort, TheBoxSaysWhyAndTheListThatNothingWasVerified)
{
    WindowUnderTest w;
    w.Get<QComboBox>("CBcom").setEditText("/nonexistent/morvel-verify-port");
    w.window->findChild<QAction*>("VerifyModule")->trigger();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_TRUE(w.boxes.shown[0].text.startsWith("Unable to open com port")) << w.boxes.shown[0].text.toStdString();
    const auto& list = w.Get<QListWidget>("ListBox1");
    EXPECT_TRUE(list.item(list.count() - 1)->text().startsWith("Could not verify (Unable to open com port"));
    EXPECT_FALSE(w.window->findChild<VerificationDialog*>("VerificationReport")->isVisible());
    EXPECT_FALSE(w.window->Link().runInProgress());
}

// The described menus keep exactly their items; "Tools" stands between them.
// The report of the very settings a verification compared prints its verdict; once a control
// changes, the report is of other settings and prints none.
TEST_F(WindowVerification, AReportOfTheVerifiedSettingsCarriesTheVerdict)
{
    QTemporaryDir folder;
    ScriptedReportDialog reports;
    w.window->UseReportFileDialog(reports);
    const QString file = folder.filePath(QStringLiteral("report.html"));
    reports.choice = ReportChoice{file, {}};
    const auto reportText = [&] {
        w.window->ExportReportClick();
        QFile html(file);
        return html.open(QIODevice::ReadOnly) ? QString::fromUtf8(html.readAll()) : QString();
    };
    EXPECT_FALSE(reportText().contains(QStringLiteral("Verification")));

    HoldTheEditorsSettingsBut("");
    Action("VerifyModule").trigger();
    ASSERT_TRUE(WaitForReport());
    Report().close();
    EXPECT_TRUE(reportText().contains(QStringLiteral("Verification</td><td>") + kPassed));

    w.Get<QLineEdit>("Enruser2").setText(QStringLiteral("+48601000002"));
    EXPECT_FALSE(reportText().contains(kPassed));
}

TEST(WindowMenus, FileToolsAndHelp)
{
    WindowUnderTest w;
    const auto texts = [](const QList<QAction*>& actions) {
        QStringList list;
        for (const QAction* action : actions)
            list << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return list;
    };
    EXPECT_EQ(texts(w.window->menuBar()->actions()), (QStringList{"File", "Tools", "Help"}));
    EXPECT_EQ(texts(w.Get<QMenu>("Plik1").actions()), (QStringList{"Load ...", "Save as ...", "-", "Exit"}));
    EXPECT_EQ(texts(w.Get<QMenu>("Pomoc1").actions()), (QStringList{"About", "Troubleshooting Guide"}));
    EXPECT_EQ(texts(w.Get<QMenu>("Rozwiazywanieproblemw1").actions()), QStringList{"Contact with support"});
    EXPECT_EQ(texts(w.Get<QMenu>("ToolsMenu").actions()),
              (QStringList{"Verify module", "Compare with file ...", "Verify after programming", "-", "Export report ..."}));
    const QAction* after = w.window->findChild<QAction*>("VerifyAfterProgramming");
    EXPECT_TRUE(after->isCheckable());
    EXPECT_FALSE(after->isChecked());
}

} // namespace
} // namespace morvel::window_test
