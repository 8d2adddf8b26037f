#include "dialogs/output_reaction_dialog.h"
#include "dialogs/reaction_openers.h"
#include "model/settings_record.h"
#include "widgets/control_lookup.h"

#include "modal_driver.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

#include <stdexcept>

namespace morvel {
namespace {

// The eight boxes from bit 7 down to bit 0; observations list them in this order.
const QStringList kBoxes = {"ChBNoActiv",    "ChBOFFWY2iN",   "ChBonWy2In",   "ChBOFFwy1In",
                            "ChBONwy1IN",    "ChBTimeOFFWy2", "ChBTimeOFFWy1", "ChBTimeRaport"};

QStringList Names(const char* spaceSeparated)
{
    return QString::fromLatin1(spaceSeparated).split(' ', Qt::SkipEmptyParts);
}

QCheckBox& Box(const QDialog& dialog, const QString& name)
{
    QCheckBox* box = FindControl<QCheckBox>(dialog, name);
    if (box == nullptr)
        throw std::logic_error("no check box " + name.toStdString());
    return *box;
}

// What the operator sees of the eight boxes while the dialog is up.
struct Shown {
    QString title;
    QStringList ticked;
    QStringList greyed;
    QStringList hidden;
};

Shown Observe(const QDialog& dialog)
{
    Shown shown{dialog.windowTitle(), {}, {}, {}};
    for (const QString& name : kBoxes) {
        const QCheckBox& box = Box(dialog, name);
        if (box.isChecked())
            shown.ticked << name;
        if (!box.isEnabled())
            shown.greyed << name;
        if (!box.isVisible())
            shown.hidden << name;
    }
    return shown;
}

bool IsSpecialButton(const QString& button)
{
    return button.startsWith("BB_ConfigNumerSpecWe");
}

bool Open(TFconfigNumberWeRe& dialog, TSettingsRecord& record, const QString& button)
{
    return IsSpecialButton(button) ? OpenSpecialOutputReaction(dialog, record, button)
                                   : OpenInputOutputReaction(dialog, record, button);
}

// A record whose every byte differs from its neighbours, so a write to the wrong offset shows.
TSettingsRecord PatternedRecord()
{
    TSettingsRecord record;
    for (std::size_t i = 0; i < record.bytes.size(); ++i)
        record.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return record;
}

class OutputReactionDialogTest : public ::testing::Test {
protected:
    // Opens the dialog for `button`, lets `act` work on it while it shows, and returns what
    // was shown before `act` ran and the opener's result.
    template <typename Act>
    std::pair<Shown, bool> OpenAndAct(const QString& button, Act act)
    {
        Shown shown;
        WhenModalShows(actions, [&](QDialog& showing) {
            shown = Observe(showing);
            act(showing);
        });
        const bool accepted = Open(dialog, record, button);
        return {shown, accepted};
    }

    std::pair<Shown, bool> OpenAndClick(const QString& button, const char* closeButton)
    {
        return OpenAndAct(button, [&](QDialog& showing) { ClickButton(showing, closeButton); });
    }

    QObject actions; // owns the pending actions on a showing dialog
    TFconfigNumberWeRe dialog;
    TSettingsRecord record = PatternedRecord();
};

struct LoadStoreCase {
    const char* button;
    std::size_t offset;   // record offset of the byte the button stands for
    std::uint8_t stored;
    const char* ticked;   // names of the boxes shown ticked, bit 7 first
    const char* greyed;
    const char* hidden;
    std::uint8_t onOk;
};

void PrintTo(const LoadStoreCase& c, std::ostream* out)
{
    *out << c.button << " with " << std::hex << "0x" << int(c.stored);
}

class OutputReactionLoadStore : public OutputReactionDialogTest,
                                public ::testing::WithParamInterface<LoadStoreCase> {};

TEST_P(OutputReactionLoadStore, ShowsTheStoredByteAndStoresTheChoiceOnOk)
{
    const LoadStoreCase& c = GetParam();
    record.bytes[c.offset] = c.stored;
    TSettingsRecord expected = record;
    expected.bytes[c.offset] = c.onOk;

    const auto [shown, accepted] = OpenAndClick(c.button, "BitBtn1");

    EXPECT_TRUE(accepted);
    EXPECT_EQ(shown.ticked, Names(c.ticked));
    EXPECT_EQ(shown.greyed, Names(c.greyed));
    EXPECT_EQ(shown.hidden, Names(c.hidden));
    EXPECT_EQ(record.bytes[c.offset], c.onOk);
    EXPECT_TRUE(record == expected) << "a byte other than " << c.offset << " changed";
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, OutputReactionLoadStore,
    ::testing::Values(
        // Enable and disable of one output together: the later bit (enable) wins.
        LoadStoreCase{"BB_ConfigNumerWe1Re1", 41, 0x18, "ChBONwy1IN", "ChBOFFwy1In", "", 0x08},
        LoadStoreCase{"BB_ConfigNumerWe8Re2", 56, 0x60, "ChBonWy2In", "ChBOFFWY2iN", "", 0x20},
        LoadStoreCase{"BB_ConfigNumerWe2Re1", 43, 0x00, "", "", "", 0x80},
        LoadStoreCase{"BB_ConfigNumerWe1Re2", 42, 0x01, "ChBTimeRaport", "", "", 0x01},
        LoadStoreCase{"BB_ConfigNumerWe3Re2", 46, 0x7F,
                      "ChBonWy2In ChBONwy1IN ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "ChBOFFWY2iN ChBOFFwy1In", "", 0x2F},
        // Inactive: every other option greyed; siren and delayed reaction ticked as stored.
        LoadStoreCase{"BB_ConfigNumerWe4Re2", 48, 0x83, "ChBNoActiv ChBTimeOFFWy1 ChBTimeRaport",
                      "ChBOFFWY2iN ChBonWy2In ChBOFFwy1In ChBONwy1IN ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "", 0x80},
        // Inactive with both options of output 1: still nothing clickable but "Inactive options".
        LoadStoreCase{"BB_ConfigNumerWe5Re1", 49, 0x98, "ChBNoActiv ChBONwy1IN",
                      "ChBOFFWY2iN ChBonWy2In ChBOFFwy1In ChBONwy1IN ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "", 0x80},
        LoadStoreCase{"BB_ConfigNumerWe8Re1", 55, 0xFF,
                      "ChBNoActiv ChBonWy2In ChBONwy1IN ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "ChBOFFWY2iN ChBonWy2In ChBOFFwy1In ChBONwy1IN ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "", 0x80},
        // HIJACK input: no delayed-reaction option in view, its bit carried through.
        LoadStoreCase{"BB_ConfigNumerSpecWe3Re1", 77, 0x09, "ChBONwy1IN ChBTimeRaport", "ChBOFFwy1In",
                      "ChBTimeRaport", 0x09},
        LoadStoreCase{"BB_ConfigNumerSpecWe3Re2", 78, 0x46, "ChBOFFWY2iN ChBTimeOFFWy2 ChBTimeOFFWy1",
                      "ChBonWy2In", "ChBTimeRaport", 0x46},
        // Arm/Disarm input: bits 0-2 hidden and carried through, on either edge.
        LoadStoreCase{"BB_ConfigNumerSpecWe5Re1", 81, 0x27, "ChBonWy2In ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "ChBOFFWY2iN", "ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport", 0x27},
        LoadStoreCase{"BB_ConfigNumerSpecWe5Re2", 82, 0x11, "ChBOFFwy1In ChBTimeRaport", "ChBONwy1IN",
                      "ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport", 0x11},
        LoadStoreCase{"BB_ConfigNumerSpecWe5Re2", 82, 0x81, "ChBNoActiv ChBTimeRaport",
                      "ChBOFFWY2iN ChBonWy2In ChBOFFwy1In ChBONwy1IN ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport",
                      "ChBTimeOFFWy2 ChBTimeOFFWy1 ChBTimeRaport", 0x80}));

struct TitleCase {
    const char* button;
    const char* title;
};

void PrintTo(const TitleCase& c, std::ostream* out)
{
    *out << c.button;
}

class OutputReactionTitle : public OutputReactionDialogTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(OutputReactionTitle, NamesTheInputAndEdge)
{
    const auto [shown, accepted] = OpenAndClick(GetParam().button, "BitBtn2");
    EXPECT_EQ(shown.title, QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(Buttons, OutputReactionTitle,
                         ::testing::Values(TitleCase{"BB_ConfigNumerWe3Re1", "konfig wejscia 3 reakcji 1"},
                                           TitleCase{"BB_ConfigNumerWe8Re2", "konfig wejscia 8 reakcji 2"},
                                           TitleCase{"BB_ConfigNumerSpecWe3Re2", "wejście sabotażowe reakcja 2"},
                                           TitleCase{"BB_ConfigNumerSpecWe5Re1", "wejście blokujące reakcja 1"}));

TEST_F(OutputReactionDialogTest, InactiveGreysAndClearsTheOthersButKeepsTheDelayedReaction)
{
    record.bytes[41] = 0x0B; // enable output 1, siren, delayed reaction
    const auto [shown, accepted] = OpenAndAct("BB_ConfigNumerWe1Re1", [](QDialog& showing) {
        Box(showing, "ChBNoActiv").click();
        const Shown inactive = Observe(showing);
        EXPECT_EQ(inactive.ticked, Names("ChBNoActiv ChBTimeRaport"));
        EXPECT_EQ(inactive.greyed, kBoxes.mid(1));

        Box(showing, "ChBNoActiv").click();
        const Shown active = Observe(showing);
        EXPECT_EQ(active.ticked, Names("ChBTimeRaport"));
        EXPECT_EQ(active.greyed, QStringList());
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(record.bytes[41], 0x01);
}

TEST_F(OutputReactionDialogTest, InactiveDropsTheHiddenBitsOfASpecialInput)
{
    record.bytes[82] = 0x0F;
    OpenAndAct("BB_ConfigNumerSpecWe5Re2", [](QDialog& showing) {
        Box(showing, "ChBNoActiv").click();
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_EQ(record.bytes[82], 0x80);
}

struct PairCase {
    const char* clicked;
    const char* partner;
};

void PrintTo(const PairCase& c, std::ostream* out)
{
    *out << c.clicked;
}

class OutputReactionPair : public OutputReactionDialogTest, public ::testing::WithParamInterface<PairCase> {};

TEST_P(OutputReactionPair, TickingOneOptionGreysItsPartnerAndUntickingGivesItBack)
{
    record.bytes[50] = 0x80; // input 5, edge 2
    OpenAndAct("BB_ConfigNumerWe5Re2", [](QDialog& showing) {
        QCheckBox& clicked = Box(showing, GetParam().clicked);
        QCheckBox& partner = Box(showing, GetParam().partner);
        Box(showing, "ChBNoActiv").click();
        clicked.click();
        EXPECT_TRUE(clicked.isChecked());
        EXPECT_FALSE(partner.isEnabled());
        partner.click(); // greyed: the operator cannot tick it
        EXPECT_FALSE(partner.isChecked());
        clicked.click();
        EXPECT_TRUE(partner.isEnabled());
        EXPECT_TRUE(clicked.isEnabled());
        EXPECT_EQ(Observe(showing).ticked, QStringList());
        ClickButton(showing, "BitBtn2");
    });
}

INSTANTIATE_TEST_SUITE_P(Outputs, OutputReactionPair,
                         ::testing::Values(PairCase{"ChBONwy1IN", "ChBOFFwy1In"}, PairCase{"ChBOFFwy1In", "ChBONwy1IN"},
                                           PairCase{"ChBonWy2In", "ChBOFFWY2iN"}, PairCase{"ChBOFFWY2iN", "ChBonWy2In"}));

TEST_F(OutputReactionDialogTest, UntickingInactiveKeepsThePartnerOfATickedOptionGreyed)
{
    record.bytes[41] = 0x88; // inactive with "Enable output 1" still set
    OpenAndAct("BB_ConfigNumerWe1Re1", [](QDialog& showing) {
        Box(showing, "ChBNoActiv").click();
        const Shown active = Observe(showing);
        EXPECT_EQ(active.ticked, Names("ChBONwy1IN"));
        EXPECT_EQ(active.greyed, Names("ChBOFFwy1In"));
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_EQ(record.bytes[41], 0x08);
}

TEST_F(OutputReactionDialogTest, CancelLeavesTheRecordAndTheNextOpeningShowsTheStoredByte)
{
    record.bytes[44] = 0x22; // input 2, edge 2: enable output 2, siren
    const TSettingsRecord before = record;
    const auto [first, accepted] = OpenAndAct("BB_ConfigNumerWe2Re2", [](QDialog& showing) {
        Box(showing, "ChBNoActiv").click();
        ClickButton(showing, "BitBtn2");
    });
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(record == before);

    const auto [second, again] = OpenAndClick("BB_ConfigNumerWe2Re2", "BitBtn2");
    EXPECT_EQ(second.ticked, Names("ChBonWy2In ChBTimeOFFWy1"));
    EXPECT_EQ(second.greyed, Names("ChBOFFWY2iN"));
    EXPECT_TRUE(record == before);
}

TEST_F(OutputReactionDialogTest, EachOpeningSetsTheTimeBoxesItNeeds)
{
    record.bytes[81] = 0x80;
    record.bytes[41] = 0x80;
    record.bytes[77] = 0x80;
    OpenAndClick("BB_ConfigNumerSpecWe5Re1", "BitBtn2");
    const auto [input, a] = OpenAndClick("BB_ConfigNumerWe1Re1", "BitBtn2");
    EXPECT_EQ(input.hidden, QStringList());
    const auto [hijack, b] = OpenAndClick("BB_ConfigNumerSpecWe3Re1", "BitBtn2");
    EXPECT_EQ(hijack.hidden, Names("ChBTimeRaport"));

    EXPECT_EQ(Box(dialog, "ChBTimeRaport").text(), "Delayed reaction for input     ");
    EXPECT_EQ(Box(dialog, "ChBTimeOFFWy1").text(), "Enable siren output    ");
    EXPECT_EQ(Box(dialog, "ChBTimeOFFWy2").text(), "Enable immo output   ");
}

TEST_F(OutputReactionDialogTest, ReopeningAfterOkShowsTheNewByte)
{
    record.bytes[54] = 0x80; // input 7, edge 2
    OpenAndAct("BB_ConfigNumerWe7Re2", [](QDialog& showing) {
        Box(showing, "ChBNoActiv").click();
        Box(showing, "ChBOFFWY2iN").click();
        Box(showing, "ChBTimeOFFWy2").click();
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_EQ(record.bytes[54], 0x44);
    const auto [shown, accepted] = OpenAndClick("BB_ConfigNumerWe7Re2", "BitBtn1");
    EXPECT_EQ(shown.ticked, Names("ChBOFFWY2iN ChBTimeOFFWy2"));
    EXPECT_EQ(record.bytes[54], 0x44);
}

TEST_F(OutputReactionDialogTest, EveryCaptionHasTheRoomItNeeds)
{
    OpenAndAct("BB_ConfigNumerWe1Re1", [](QDialog& showing) {
        for (const QWidget* control : showing.findChildren<QWidget*>()) {
            if (control->isVisible()) {
                EXPECT_GE(control->width(), control->sizeHint().width()) << control->objectName().toStdString();
            }
        }
        ClickButton(showing, "BitBtn2");
    });
}

TEST_F(OutputReactionDialogTest, EscapeCancels)
{
    record.bytes[41] = 0x08;
    OpenAndAct("BB_ConfigNumerWe1Re1", [](QDialog& showing) {
        Box(showing, "ChBONwy1IN").click();
        QTest::keyClick(&showing, Qt::Key_Escape);
    });
    EXPECT_EQ(record.bytes[41], 0x08);
}

class OutputReactionBadButton : public OutputReactionDialogTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OutputReactionBadButton, IsRefusedBeforeAnythingShows)
{
    const TSettingsRecord before = record;
    WhenModalShows(actions, [](QDialog& showing) {
        ADD_FAILURE() << "the dialog showed";
        ClickButton(showing, "BitBtn1");
    });
    EXPECT_THROW(Open(dialog, record, GetParam()), std::invalid_argument);
    EXPECT_TRUE(record == before);
}

INSTANTIATE_TEST_SUITE_P(Names, OutputReactionBadButton,
                         ::testing::Values("BB_ConfigNumerWe9Re1", "BB_ConfigNumerWe0Re1", "BB_ConfigNumerWe1Re3",
                                           "BB_ConfigNumerWe1Re", "BB_ConfigNumerWe12Re1", "BB_ConfigNumerWe1Ra1",
                                           "BBConfigWorkWe1Re1", "", "BB_ConfigNumerSpecWe1Re1",
                                           "BB_ConfigNumerSpecWe4Re2", "BB_ConfigNumerSpecWe6Re1",
                                           "BB_ConfigNumerSpecWe7Re1"));

} // namespace
} // namespace morvel
