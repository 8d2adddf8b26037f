#include "dialogs/notification_dialog.h"
#include "dialogs/reaction_openers.h"
#include "model/settings_record.h"
#include "widgets/control_lookup.h"

#include "modal_driver.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <stdexcept>

namespace morvel {
namespace {

// The eight boxes from bit 0 up to bit 7; observations list them in this order.
const QStringList kBoxes = {"ChBUS1SMS", "ChBUS1Clip", "ChBUS2SMS", "ChBUS2Clip",
                            "ChBUS3SMS", "ChBUS3Clip", "ChBUS4SMS", "ChBUS4Clip"};

QStringList Names(const char* spaceSeparated)
{
    return QString::fromLatin1(spaceSeparated).split(' ', Qt::SkipEmptyParts);
}

template <typename Control>
Control& Find(const QDialog& dialog, const QString& name)
{
    Control* control = FindControl<Control>(dialog, name);
    if (control == nullptr)
        throw std::logic_error("no control " + name.toStdString());
    return *control;
}

// What the operator sees while the dialog is up. A box counts as ticked only when it can be
// seen ticked.
struct Shown {
    QString title;
    QStringList labels;
    QStringList ticked;
    QStringList greyed;
    bool clipColumnShown;
};

Shown Observe(const QDialog& dialog)
{
    Shown shown{dialog.windowTitle(), {}, {}, {}, Find<QLabel>(dialog, "Label6").isVisible()};
    for (int user = 1; user <= 4; ++user)
        shown.labels << Find<QLabel>(dialog, QStringLiteral("Luser%1").arg(user)).text();
    for (const QString& name : kBoxes) {
        const auto& box = Find<QCheckBox>(dialog, name);
        EXPECT_EQ(box.isVisible(), shown.clipColumnShown || name.endsWith("SMS")) << name.toStdString();
        if (box.isChecked() && box.isVisible())
            shown.ticked << name;
        if (!box.isEnabled() && box.isVisible())
            shown.greyed << name;
    }
    return shown;
}

// Which opener serves a button, and where the button sits.
enum class Opener { Input, SpecialInput, OutputConfirmation };

bool Open(TFConfigWorkWeRe& dialog, TSettingsRecord& record, Opener opener, const QString& button,
          const UserFields& users)
{
    switch (opener) {
    case Opener::Input:
        return OpenInputNotification(dialog, record, button, users);
    case Opener::SpecialInput:
        return OpenSpecialNotification(dialog, record, button, "TabSheet4", users);
    case Opener::OutputConfirmation:
        return OpenSpecialNotification(dialog, record, button, "GroupBox11", users);
    }
    return false;
}

const UserFields kAllUsers = {{{"Jan", "+48601000001"}, {"Ewa", "+48601000002"},
                               {"Piotr", "+48601000003"}, {"Anna", "+48601000004"}}};
const UserFields kNoNumbers = {{{"Jan", ""}, {"Ewa", ""}, {"Piotr", ""}, {"Anna", ""}}};
// User 2 has no number, user 3 no name, user 4 only blanks in both fields.
const UserFields kMixedUsers = {{{"Jan", "601000001"}, {"Ewa", ""}, {"", "601000003"}, {"   ", " "}}};

TSettingsRecord PatternedRecord()
{
    TSettingsRecord record;
    for (std::size_t i = 0; i < record.bytes.size(); ++i)
        record.bytes[i] = static_cast<std::uint8_t>(i * 11 + 5);
    return record;
}

class NotificationDialogTest : public ::testing::Test {
protected:
    template <typename Act>
    std::pair<Shown, bool> OpenAndAct(Opener opener, const QString& button, const UserFields& users, Act act)
    {
        Shown shown;
        WhenModalShows(actions, [&](QDialog& showing) {
            shown = Observe(showing);
            act(showing);
        });
        const bool accepted = Open(dialog, record, opener, button, users);
        return {shown, accepted};
    }

    std::pair<Shown, bool> OpenAndClick(Opener opener, const QString& button, const UserFields& users,
                                        const char* closeButton)
    {
        return OpenAndAct(opener, button, users, [&](QDialog& showing) { ClickButton(showing, closeButton); });
    }

    QObject actions; // owns the pending actions on a showing dialog
    TFConfigWorkWeRe dialog;
    TSettingsRecord record = PatternedRecord();
};

struct LoadStoreCase {
    Opener opener;
    const char* button;
    std::size_t offset; // record offset of the byte the button stands for
    const UserFields* users;
    std::uint8_t stored;
    bool clipColumnShown;
    const char* ticked; // visible ticked boxes, bit 0 first
    const char* greyed; // visible greyed boxes
    std::uint8_t onOk;
};

void PrintTo(const LoadStoreCase& c, std::ostream* out)
{
    *out << c.button << " with " << std::hex << "0x" << int(c.stored);
}

class NotificationLoadStore : public NotificationDialogTest, public ::testing::WithParamInterface<LoadStoreCase> {};

TEST_P(NotificationLoadStore, ShowsTheStoredByteAndStoresTheChoiceOnOk)
{
    const LoadStoreCase& c = GetParam();
    record.bytes[c.offset] = c.stored;
    TSettingsRecord expected = record;
    expected.bytes[c.offset] = c.onOk;

    const auto [shown, accepted] = OpenAndClick(c.opener, c.button, *c.users, "BitBtn1");

    EXPECT_TRUE(accepted);
    EXPECT_EQ(shown.clipColumnShown, c.clipColumnShown);
    EXPECT_EQ(shown.ticked, Names(c.ticked));
    EXPECT_EQ(shown.greyed, Names(c.greyed));
    EXPECT_EQ(record.bytes[c.offset], c.onOk);
    EXPECT_TRUE(record == expected) << "a byte other than " << c.offset << " changed";
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, NotificationLoadStore,
    ::testing::Values(
        LoadStoreCase{Opener::Input, "BBConfigWorkWe1Re1", 57, &kAllUsers, 0x00, true, "", "", 0x00},
        LoadStoreCase{Opener::Input, "BBConfigWorkWe8Re2", 72, &kAllUsers, 0x96, true,
                      "ChBUS1Clip ChBUS2SMS ChBUS3SMS ChBUS4Clip", "", 0x96},
        // Nobody has a number: every box greyed and unticked, whatever was stored.
        LoadStoreCase{Opener::Input, "BBConfigWorkWe3Re2", 62, &kNoNumbers, 0xFF, true, "",
                      "ChBUS1SMS ChBUS1Clip ChBUS2SMS ChBUS2Clip ChBUS3SMS ChBUS3Clip ChBUS4SMS ChBUS4Clip", 0x00},
        // User 2 has no number; a number of blanks counts (user 4).
        LoadStoreCase{Opener::Input, "BBConfigWorkWe5Re1", 65, &kMixedUsers, 0xFF, true,
                      "ChBUS1SMS ChBUS1Clip ChBUS3SMS ChBUS3Clip ChBUS4SMS ChBUS4Clip", "ChBUS2SMS ChBUS2Clip",
                      0xF3},
        LoadStoreCase{Opener::SpecialInput, "BBConfigWorkSpecWe3Re1", 93, &kMixedUsers, 0x0D, true, "ChBUS1SMS",
                      "ChBUS2SMS ChBUS2Clip", 0x01},
        LoadStoreCase{Opener::SpecialInput, "BBConfigWorkSpecWe5Re2", 98, &kAllUsers, 0x42, true,
                      "ChBUS1Clip ChBUS4SMS", "", 0x42},
        // Output confirmations: SMS only; CLIP bits of users with a number are carried through.
        LoadStoreCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe1Re1", 89, &kAllUsers, 0xAA, false, "", "",
                      0xAA},
        LoadStoreCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe2Re2", 92, &kAllUsers, 0x55, false,
                      "ChBUS1SMS ChBUS2SMS ChBUS3SMS ChBUS4SMS", "", 0x55},
        LoadStoreCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe1Re2", 90, &kMixedUsers, 0xFF, false,
                      "ChBUS1SMS ChBUS3SMS ChBUS4SMS", "ChBUS2SMS", 0xF3}));

struct LabelCase {
    Opener opener;
    const char* button;
    const char* title;
    const char* fallback; // row caption of user 3, who has no name
};

void PrintTo(const LabelCase& c, std::ostream* out)
{
    *out << c.button;
}

class NotificationLabels : public NotificationDialogTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(NotificationLabels, TitleAndRowCaptionsNameTheEntryAndTheUsers)
{
    const LabelCase& c = GetParam();
    const auto [shown, accepted] = OpenAndClick(c.opener, c.button, kMixedUsers, "BitBtn2");
    EXPECT_EQ(shown.title, QString::fromUtf8(c.title));
    EXPECT_EQ(shown.labels, QStringList({"Jan", "Ewa", QString::fromUtf8(c.fallback), "   "}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, NotificationLabels,
    ::testing::Values(LabelCase{Opener::Input, "BBConfigWorkWe3Re1", "Reakcje Wejscie:3 Reakcja:1", "User       3"},
                      LabelCase{Opener::Input, "BBConfigWorkWe7Re2", "Reakcje Wejscie:7 Reakcja:2", "User       3"},
                      LabelCase{Opener::SpecialInput, "BBConfigWorkSpecWe5Re2", "Reakcja 2 Wejścia blokującego",
                                "Użytkownik 3"},
                      LabelCase{Opener::SpecialInput, "BBConfigWorkSpecWe3Re1", "Reakcja 1 Wejścia sabotażowego",
                                "Użytkownik 3"},
                      LabelCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe1Re2", "Reakcja 2 wyjścia 1",
                                "Użytkownik 3"},
                      LabelCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe2Re1", "Reakcja 1 wyjścia 2",
                                "Użytkownik 3"}));

TEST_F(NotificationDialogTest, CancelKeepsTheBitsOfAUserWithoutNumber)
{
    record.bytes[58] = 0x0F; // input 1, edge 2: users 1 and 2, SMS and CLIP
    const TSettingsRecord before = record;
    const auto [shown, accepted] = OpenAndAct(Opener::Input, "BBConfigWorkWe1Re2", kMixedUsers, [](QDialog& showing) {
        Find<QCheckBox>(showing, "ChBUS3SMS").click();
        ClickButton(showing, "BitBtn2");
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(shown.greyed, Names("ChBUS2SMS ChBUS2Clip"));
    EXPECT_TRUE(record == before);
}

TEST_F(NotificationDialogTest, ClickedTicksAreStored)
{
    record.bytes[66] = 0x00; // input 5, edge 2
    OpenAndAct(Opener::Input, "BBConfigWorkWe5Re2", kAllUsers, [](QDialog& showing) {
        Find<QCheckBox>(showing, "ChBUS2Clip").click();
        Find<QCheckBox>(showing, "ChBUS4SMS").click();
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_EQ(record.bytes[66], 0x48);
}

TEST_F(NotificationDialogTest, ReopeningUsesTheFieldsAsTheyStandAndShowsTheClipColumnAgain)
{
    record.bytes[89] = 0x30; // output 1 switched on: user 3, SMS and CLIP
    record.bytes[61] = 0x30; // input 3, edge 1: the same
    const auto [output, a] = OpenAndClick(Opener::OutputConfirmation, "BBConfigWorkSpecWe1Re1", kNoNumbers, "BitBtn2");
    EXPECT_FALSE(output.clipColumnShown);

    UserFields typed = kNoNumbers;
    typed[2].number = "601000003"; // the operator types a number for user 3
    const auto [input, b] = OpenAndClick(Opener::Input, "BBConfigWorkWe3Re1", typed, "BitBtn1");
    EXPECT_TRUE(input.clipColumnShown);
    EXPECT_EQ(input.ticked, Names("ChBUS3SMS ChBUS3Clip"));
    EXPECT_EQ(input.greyed, Names("ChBUS1SMS ChBUS1Clip ChBUS2SMS ChBUS2Clip ChBUS4SMS ChBUS4Clip"));
    EXPECT_EQ(record.bytes[61], 0x30);
    EXPECT_EQ(record.bytes[89], 0x30);
}

// True when every visible label and box of the showing dialog has the room its text needs.
bool NothingClipped(const QDialog& showing)
{
    for (const QWidget* control : showing.findChildren<QWidget*>()) {
        if (control->isVisible() && control->width() < control->sizeHint().width())
            return false;
    }
    return true;
}

TEST_F(NotificationDialogTest, TheWindowFitsALongNameAndShrinksBackAfterwards)
{
    UserFields longName = kAllUsers;
    longName[1].name = QString(30, QChar('W')); // the longest name the page takes
    int widened = 0;
    OpenAndAct(Opener::Input, "BBConfigWorkWe1Re1", longName, [&](QDialog& showing) {
        EXPECT_TRUE(NothingClipped(showing));
        widened = showing.width();
        ClickButton(showing, "BitBtn2");
    });
    OpenAndAct(Opener::Input, "BBConfigWorkWe1Re1", kAllUsers, [&](QDialog& showing) {
        EXPECT_TRUE(NothingClipped(showing));
        EXPECT_LT(showing.width(), widened);
        ClickButton(showing, "BitBtn2");
    });
}

TEST_F(NotificationDialogTest, EscapeCancels)
{
    record.bytes[94] = 0x01;
    OpenAndAct(Opener::SpecialInput, "BBConfigWorkSpecWe3Re2", kAllUsers, [](QDialog& showing) {
        Find<QCheckBox>(showing, "ChBUS1SMS").click();
        QTest::keyClick(&showing, Qt::Key_Escape);
    });
    EXPECT_EQ(record.bytes[94], 0x01);
}

struct BadButtonCase {
    Opener opener;
    const char* button;
};

void PrintTo(const BadButtonCase& c, std::ostream* out)
{
    *out << c.button;
}

class NotificationBadButton : public NotificationDialogTest, public ::testing::WithParamInterface<BadButtonCase> {};

TEST_P(NotificationBadButton, IsRefusedBeforeAnythingShows)
{
    const TSettingsRecord before = record;
    WhenModalShows(actions, [](QDialog& showing) {
        ADD_FAILURE() << "the dialog showed";
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_THROW(Open(dialog, record, GetParam().opener, GetParam().button, kAllUsers), std::invalid_argument);
    EXPECT_TRUE(record == before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NotificationBadButton,
    ::testing::Values(BadButtonCase{Opener::Input, "BBConfigWorkWe9Re1"},
                      BadButtonCase{Opener::Input, "BBConfigWorkWe1Re0"},
                      BadButtonCase{Opener::Input, "BBConfigWorkSpecWe1Re1"},
                      BadButtonCase{Opener::Input, "BB_ConfigNumerWe1Re1"},
                      // Outputs sit in the confirmation group, the special inputs on their page.
                      BadButtonCase{Opener::SpecialInput, "BBConfigWorkSpecWe1Re1"},
                      BadButtonCase{Opener::SpecialInput, "BBConfigWorkSpecWe4Re1"},
                      BadButtonCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe3Re1"},
                      BadButtonCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe6Re2"},
                      BadButtonCase{Opener::OutputConfirmation, "BBConfigWorkSpecWe1Re3"}));

TEST_F(NotificationDialogTest, AnUnknownContainerIsRefused)
{
    WhenModalShows(actions, [](QDialog& showing) {
        ADD_FAILURE() << "the dialog showed";
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_THROW(OpenSpecialNotification(dialog, record, "BBConfigWorkSpecWe1Re1", "TabSheet3", kAllUsers),
                 std::invalid_argument);
}

} // namespace
} // namespace morvel
