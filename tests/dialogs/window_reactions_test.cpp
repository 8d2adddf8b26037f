// The reaction dialogs as the main window opens them, and the reactions they set carried
// through a settings file and through the simulated module.
#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "editor/about_box.h"
#include "editor/main_window.h"
#include "editor/message_boxes.h"
#include "editor/settings_file_dialogs.h"
#include "link/serial_port.h"
#include "model/settings_record.h"
#include "pty_module.h"
#include "widgets/control_lookup.h"

#include "modal_driver.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>
#include <stdexcept>

namespace morvel {
namespace {

using namespace std::chrono_literals;

class RecordingBoxes final : public MessageBoxes {
public:
    void Show(QWidget*, const QString& caption, const QString& text, const QString& = {}) override
    {
        shown << caption + QStringLiteral(": ") + text;
    }
    QStringList shown;
};

// Answers the file dialogs with one chosen name.
class ChosenFile final : public SettingsFileDialogs {
public:
    std::optional<QString> ChooseFileToLoad(QWidget*) override { return name; }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&) override { return name; }
    QString name;
};

// Everything one run of the program owns, with the window's services replaced where a test
// must not block: message boxes are recorded and file names chosen in advance.
struct LoaderRun {
    explicit LoaderRun(QString portName = {})
        : window(model, WindowServices{boxes, files, port, [portName] { return DescribeNames({portName}); }, 6000ms}),
          outputReaction(&window), notification(&window), about(&window)
    {
        window.AttachDialogs(outputReaction, notification, about);
    }

    template <typename Control>
    Control& Get(const QString& name)
    {
        Control* control = FindControl<Control>(window, name);
        if (control == nullptr)
            throw std::logic_error("no control " + name.toStdString());
        return *control;
    }

    QString LastInformation() const
    {
        const auto* list = FindControl<QListWidget>(window, QStringLiteral("ListBox1"));
        return list && list->count() > 0 ? list->item(list->count() - 1)->text() : QString();
    }

    SettingsModel model;
    RecordingBoxes boxes;
    ChosenFile files;
    SerialModulePort port;
    TGlownaF window;
    TFconfigNumberWeRe outputReaction;
    TFConfigWorkWeRe notification;
    TAboutBox about;
};

// The title and every box of a dialog as the operator sees it, e.g. "ChBONwy1IN:ticked".
QStringList Appearance(const QDialog& dialog)
{
    QStringList seen{dialog.windowTitle()};
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (!box->isVisible())
            continue;
        seen << box->objectName() + (box->isChecked() ? QStringLiteral(":ticked") : QStringLiteral(":clear"))
                    + (box->isEnabled() ? QString() : QStringLiteral(":greyed"));
    }
    return seen;
}

// Clicks the window's reaction button; while the dialog shows, notes its appearance, clicks
// the boxes named in `clicks` and closes it with `closeButton`. Returns the appearance.
QStringList ClickReactionButton(LoaderRun& run, const QString& button, const QStringList& clicks = {},
                                const char* closeButton = "BitBtn2")
{
    QObject actions;
    QStringList seen;
    WhenModalShows(actions, [&](QDialog& showing) {
        seen = Appearance(showing);
        for (const QString& name : clicks) {
            if (auto* box = FindControl<QCheckBox>(showing, name))
                box->click();
            else
                ADD_FAILURE() << "no box " << name.toStdString();
        }
        ClickButton(showing, closeButton);
    });
    run.Get<QPushButton>(button).click();
    if (seen.isEmpty())
        ADD_FAILURE() << "no dialog showed for " << button.toStdString() << "; boxes: "
                      << run.boxes.shown.join('\n').toStdString();
    return seen;
}

void TypeUsers(LoaderRun& run)
{
    const char* const numbers[] = {"+48601000001", "+48601000002", "", "+48601000004"};
    const char* const names[] = {"Jan", "", "Piotr", "Anna"};
    for (int user = 1; user <= 4; ++user) {
        run.Get<QLineEdit>(QStringLiteral("Enruser%1").arg(user)).setText(numbers[user - 1]);
        run.Get<QLineEdit>(QStringLiteral("Eosoba%1").arg(user)).setText(names[user - 1]);
    }
}

struct WiringCase {
    const char* button;
    const char* title;
    const char* clicks; // boxes clicked, space separated
    std::size_t offset;
    std::uint8_t stored;
};

void PrintTo(const WiringCase& c, std::ostream* out)
{
    *out << c.button;
}

class WindowOpensTheDialogs : public ::testing::TestWithParam<WiringCase> {};

TEST_P(WindowOpensTheDialogs, ForTheClickedButtonAndStoresOnOk)
{
    const WiringCase& c = GetParam();
    LoaderRun run;
    TypeUsers(run);
    const QStringList clicks = QString::fromLatin1(c.clicks).split(' ', Qt::SkipEmptyParts);

    const QStringList seen = ClickReactionButton(run, c.button, clicks, "BitBtn1");

    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.front(), QString::fromUtf8(c.title));
    EXPECT_EQ(run.model.record.bytes[c.offset], c.stored);
    EXPECT_TRUE(run.boxes.shown.isEmpty()) << run.boxes.shown.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, WindowOpensTheDialogs,
    ::testing::Values(
        WiringCase{"BB_ConfigNumerWe3Re1", "konfig wejscia 3 reakcji 1", "ChBNoActiv ChBONwy1IN", 45, 0x08},
        WiringCase{"BB_ConfigNumerWe6Re2", "konfig wejscia 6 reakcji 2", "ChBNoActiv ChBTimeOFFWy1", 52, 0x02},
        WiringCase{"BB_ConfigNumerSpecWe3Re2", "wejście sabotażowe reakcja 2", "ChBNoActiv ChBonWy2In", 78, 0x20},
        WiringCase{"BB_ConfigNumerSpecWe5Re1", "wejście blokujące reakcja 1", "ChBNoActiv ChBOFFWY2iN", 81, 0x40},
        WiringCase{"BBConfigWorkWe2Re2", "Reakcje Wejscie:2 Reakcja:2", "ChBUS1SMS ChBUS4Clip", 60, 0x81},
        WiringCase{"BBConfigWorkSpecWe3Re1", "Reakcja 1 Wejścia sabotażowego", "ChBUS2Clip", 93, 0x08},
        WiringCase{"BBConfigWorkSpecWe5Re2", "Reakcja 2 Wejścia blokującego", "ChBUS1SMS ChBUS1Clip", 98, 0x03},
        WiringCase{"BBConfigWorkSpecWe1Re2", "Reakcja 2 wyjścia 1", "ChBUS4SMS", 90, 0x40},
        WiringCase{"BBConfigWorkSpecWe2Re1", "Reakcja 1 wyjścia 2", "ChBUS1SMS ChBUS2SMS", 91, 0x05}));

// Takes the mail links the program hands to the desktop instead of opening them.
class MailRecorder : public QObject {
    Q_OBJECT
public:
    MailRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "Open"); }
    ~MailRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST(WindowHelpMenu, AboutShowsTheAboutBoxModallyEachTimeAndSupportOpensAMail)
{
    LoaderRun run;
    QObject actions;
    for (int showing = 1; showing <= 2; ++showing) {
        const QDialog* shown = nullptr;
        WhenModalShows(actions, [&](QDialog& modal) {
            shown = &modal;
            QTest::keyClick(&modal, Qt::Key_Return);
        });
        run.window.InfoClick();
        EXPECT_EQ(shown, &run.about) << "showing " << showing;
        EXPECT_FALSE(run.about.isVisible());
    }

    MailRecorder mail;
    run.window.Kotaktzdziaemtechnicznym1Click();
    ASSERT_EQ(mail.opened.size(), 1);
    EXPECT_EQ(mail.opened.front().toEncoded(),
              QByteArray("mailto:support@morvel.example?subject=Uwagi%20do%20programu%20Telvor%20%20%20%20%20%20"));
}

TEST(WindowReactions, NotificationRowsFollowTheNumbersPageAsTyped)
{
    LoaderRun run;
    TypeUsers(run);
    const QStringList seen = ClickReactionButton(run, "BBConfigWorkWe1Re1");
    EXPECT_EQ(seen, QStringList({"Reakcje Wejscie:1 Reakcja:1", "ChBUS1SMS:clear", "ChBUS1Clip:clear",
                                 "ChBUS2SMS:clear", "ChBUS2Clip:clear", "ChBUS3SMS:clear:greyed",
                                 "ChBUS3Clip:clear:greyed", "ChBUS4SMS:clear", "ChBUS4Clip:clear"}));
    EXPECT_EQ(run.notification.findChild<QLabel*>("Luser2")->text(), "User       2");
    EXPECT_EQ(run.notification.findChild<QLabel*>("Luser3")->text(), "Piotr");

    run.Get<QLineEdit>("Enruser3").setText("+48601000003");
    const QStringList reopened = ClickReactionButton(run, "BBConfigWorkWe1Re1");
    EXPECT_TRUE(reopened.contains("ChBUS3SMS:clear")) << reopened.join(' ').toStdString();
}

// The exit-time option of the "Basic" page is bit 0 of the Arm/Disarm input's edge-2 reaction.
// "Inactive options" drops the hidden bit; the next transfer of the controls into the record
// (here: saving) sets it again.
TEST(WindowReactions, ExitTimeBitComesBackWithTheNextStorePass)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    LoaderRun run;
    run.Get<QCheckBox>("CHB_funkcjaczaswy").setChecked(true);
    run.model.record.bytes[82] = 0x09; // enable output 1, exit-time bit
    ClickReactionButton(run, "BB_ConfigNumerSpecWe5Re2", {"ChBNoActiv"}, "BitBtn1");
    EXPECT_EQ(run.model.record.bytes[82], 0x80);

    run.files.name = folder.filePath("exit.orv");
    run.window.Button1Click();
    EXPECT_EQ(run.model.record.bytes[82], 0x81);
}

// Sets a spread of reactions through the window's buttons: both dialogs, inputs, the HIJACK and
// Arm/Disarm inputs and an output confirmation. Returns the buttons used.
QStringList ChooseReactions(LoaderRun& run)
{
    TypeUsers(run);
    const QList<std::pair<QString, QStringList>> choices = {
        {"BB_ConfigNumerWe1Re2", {"ChBNoActiv", "ChBOFFwy1In", "ChBTimeRaport"}},
        {"BB_ConfigNumerWe8Re1", {"ChBNoActiv", "ChBonWy2In", "ChBTimeOFFWy2"}},
        {"BB_ConfigNumerSpecWe3Re1", {"ChBNoActiv", "ChBONwy1IN", "ChBTimeOFFWy1"}},
        {"BB_ConfigNumerSpecWe5Re2", {"ChBNoActiv", "ChBOFFWY2iN"}},
        {"BBConfigWorkWe4Re1", {"ChBUS1SMS", "ChBUS2Clip", "ChBUS4SMS", "ChBUS4Clip"}},
        {"BBConfigWorkSpecWe3Re2", {"ChBUS1Clip", "ChBUS2SMS"}},
        {"BBConfigWorkSpecWe5Re1", {"ChBUS4Clip"}},
        {"BBConfigWorkSpecWe2Re2", {"ChBUS1SMS", "ChBUS4SMS"}},
    };
    QStringList buttons;
    for (const auto& [button, clicks] : choices) {
        ClickReactionButton(run, button, clicks, "BitBtn1");
        buttons << button;
    }
    return buttons;
}

QList<QStringList> AppearanceOfAll(LoaderRun& run, const QStringList& buttons)
{
    QList<QStringList> seen;
    for (const QString& button : buttons)
        seen << ClickReactionButton(run, button);
    return seen;
}

TEST(WindowReactions, ASavedFileShowsTheSameReactionsInAFreshRun)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("reactions.orv");

    QList<QStringList> before;
    QStringList buttons;
    {
        LoaderRun first;
        buttons = ChooseReactions(first);
        before = AppearanceOfAll(first, buttons);
        first.files.name = file;
        first.window.Button1Click();
        ASSERT_TRUE(first.boxes.shown.isEmpty()) << first.boxes.shown.join('\n').toStdString();
    }

    LoaderRun fresh;
    fresh.files.name = file;
    fresh.window.Button2Click();
    ASSERT_TRUE(fresh.boxes.shown.isEmpty()) << fresh.boxes.shown.join('\n').toStdString();
    EXPECT_EQ(AppearanceOfAll(fresh, buttons), before);
}

TEST(WindowReactions, ProgrammingAndReadingTheModuleCarriesThemThrough)
{
    sim::PtyModule module({});
    module.Start();
    const QString port = QString::fromStdString(module.PortPath());

    QList<QStringList> before;
    QStringList buttons;
    TSettingsRecord programmed;
    {
        LoaderRun first(port);
        buttons = ChooseReactions(first);
        before = AppearanceOfAll(first, buttons);
        first.window.BprogramujClick();
        ASSERT_TRUE(ProcessEventsUntil(
            [&] { return first.LastInformation() == QString::fromUtf8("Programowanie zakończone pomyślnie."); }, 10s))
            << first.LastInformation().toStdString() << first.boxes.shown.join('\n').toStdString();
        programmed = first.model.record;
    }

    LoaderRun fresh(port);
    TypeUsers(fresh); // names and numbers as the operator sees them on the numbers page
    fresh.window.BBloadClick();
    ASSERT_TRUE(ProcessEventsUntil([&] { return fresh.LastInformation() == "zaladowane ustawienia z eprom"; }, 10s))
        << fresh.LastInformation().toStdString() << fresh.boxes.shown.join('\n').toStdString();
    for (std::size_t offset = 41; offset <= 100; ++offset)
        EXPECT_EQ(fresh.model.record.bytes[offset], programmed.bytes[offset]) << "offset " << offset;
    TypeUsers(fresh); // the read reloads the numbers page; names are not in the module
    EXPECT_EQ(AppearanceOfAll(fresh, buttons), before);
    module.Stop();
}

} // namespace
} // namespace morvel

#include "window_reactions_test.moc"
