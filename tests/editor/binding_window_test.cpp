#include "editor/binding.h"
#include "editor/main_window.h"
#include "editor/required_control.h"
#include "editor/settings_file_dialogs.h"
#include "link/link_interfaces.h"
#include "model/settings_file.h"
#include "rules_fixture.h"
#include "rules_sample_record.h"
#include "test_support.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace morvel::test {
namespace {

// The window's outside world, idle: no port is opened and no file is chosen in these tests.
class IdlePort final : public ModulePort {
public:
    void SetListener(PortListener*) override {}
    PortResult SetPortName(const QString&) override { return {}; }
    PortResult Open() override { return {}; }
    void Close() override {}
    void DiscardInput() override {}
    bool IsOpen() const override { return false; }
    PortResult Write(std::string_view) override { return {}; }
};

// Offers `toLoad` to the next "Load ..." once; saving is always cancelled.
class OneFileToLoad final : public SettingsFileDialogs {
public:
    std::optional<QString> ChooseFileToLoad(QWidget*) override { return std::exchange(toLoad, std::nullopt); }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> toLoad;
};

class RealWindowTest : public ::testing::Test {
protected:
    template <typename Control>
    Control& Get(const QString& name) { return RequireControl<Control>(window, name); }

    // Brings the page that holds the control to the front, as the operator does before typing.
    void ShowPageOf(const QWidget& control)
    {
        for (QTabWidget* pages : window.findChildren<QTabWidget*>()) {
            for (int i = 0; i < pages->count(); ++i) {
                if (pages->widget(i)->isAncestorOf(&control))
                    pages->setCurrentIndex(i);
            }
        }
    }

    SettingsModel model;
    RecordingBoxes boxes;
    OneFileToLoad files;
    IdlePort port;
    TGlownaF window{model, WindowServices{boxes, files, port, [] { return DescribeNames({"ttyS0"}); },
                                          std::chrono::milliseconds(6000)}};
};

// The controls right after start-up: the defaults shown, spin edits at their minimum where the
// record holds 0, the output fields greyed to match the cleared options.
TEST_F(RealWindowTest, StartUpShowsTheDefaults)
{
    EXPECT_EQ(Get<QComboBox>("CBcentrum").currentText(), "Own ");
    EXPECT_EQ(Get<QLineEdit>("Ecsms").text(), "");
    for (const char* name : {"SECALL_TIMER", "SEInNONCSTAT18"})
        EXPECT_EQ(Get<SpinEdit>(name).value(), 10) << name;
    for (SpinEdit* spin : window.findChildren<SpinEdit*>()) {
        if (spin->objectName() != "SECALL_TIMER" && spin->objectName() != "SEInNONCSTAT18") {
            EXPECT_EQ(spin->value(), 1) << spin->objectName().toStdString();
        }
    }
    for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    for (const char* name : {"EPin", "EPINMOD", "Enruser1", "Eosoba4", "ETSMS_We8_Re2", "ETSpecSMS_We6_Re2", "EZalWy1", "EwylWy2"})
        EXPECT_EQ(Get<QLineEdit>(name).text(), "") << name;
    for (const char* name : {"EZalWy1", "EwylWy1", "EZalWy2", "EwylWy2", "SEWy_offTimer1", "SEWy_offTimer2",
                             "SEtestokr", "EPINMOD", "Label28", "Label43", "Label48"})
        EXPECT_FALSE(Get<QWidget>(name).isEnabled()) << name;
    for (int d = 0; d <= 5; ++d)
        EXPECT_TRUE(Get<QCheckBox>(QStringLiteral("ChBClipNotVerif%1").arg(d)).isEnabled()) << d;
}

// Stored straight after start-up, the record holds the defaults and each spin edit's minimum.
TEST_F(RealWindowTest, StoreAfterStartUpWritesDefaultsAndMinimums)
{
    StoreRecordPass(window, model.record);
    TSettingsRecord expected;
    auto fill = [&](std::size_t from, std::size_t to, std::uint8_t value) {
        for (std::size_t i = from; i <= to; ++i)
            expected.bytes[i] = value;
    };
    fill(0, 10, 1);      // reaction times, output off times, reject time
    expected.bytes[11] = 10; // call time
    expected.bytes[14] = 10; // time of confirmation
    expected.bytes[15] = 1;
    fill(16, 24, 1);     // block times, report period
    fill(41, 56, 0x80);  // input reactions inactive
    fill(73, 84, 0x80);  // special reactions inactive
    fill(1225, 1227, 1);
    for (std::size_t i = 0; i < expected.bytes.size(); ++i)
        EXPECT_EQ(int(model.record.bytes[i]), int(expected.bytes[i])) << "byte " << i;
}

TEST_F(RealWindowTest, RecordAndNotesComeBackByteForByte)
{
    const TSettingsRecord record = ShowableRecord();
    const TUserNotes notes = SampleNotes();
    LoadRecordPass(window, record);
    LoadUserNotes(window, notes);
    TSettingsRecord storedRecord = record;
    TUserNotes storedNotes = notes;
    StoreRecordPass(window, storedRecord);
    StoreUserNotes(window, storedNotes);
    for (std::size_t i = 0; i < record.bytes.size(); ++i)
        EXPECT_EQ(int(storedRecord.bytes[i]), int(record.bytes[i])) << "record byte " << i;
    for (std::size_t i = 0; i < notes.bytes.size(); ++i)
        EXPECT_EQ(int(storedNotes.bytes[i]), int(notes.bytes[i])) << "notes byte " << i;
}

// The rules act on the window's own controls and its focus order.
TEST_F(RealWindowTest, EnterMovesAlongTheWindowsFocusOrder)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const auto& [from, to] : {std::pair{"Enruser1", "Eosoba1"}, std::pair{"EPin", "CBcentrum"}}) {
        auto& field = Get<QLineEdit>(from);
        ShowPageOf(field);
        field.setFocus();
        ASSERT_TRUE(ProcessEventsUntil([&] { return field.hasFocus(); })) << from;
        QTest::keyClick(&field, Qt::Key_Return);
        ASSERT_NE(QApplication::focusWidget(), nullptr) << from;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), to) << from;
    }
}

TEST_F(RealWindowTest, InterlocksAndPresetsAreBound)
{
    Get<QCheckBox>("ChbClipVerif1").click();
    EXPECT_FALSE(Get<QCheckBox>("ChbClipVerif3").isEnabled());
    EXPECT_FALSE(Get<QCheckBox>("ChbClipVerif5").isEnabled());
    Get<QCheckBox>("ChBFlags_1").click();
    EXPECT_TRUE(Get<QLineEdit>("EZalWy2").isEnabled());

    auto& centres = Get<QComboBox>("CBcentrum");
    QTest::keyClick(&centres, Qt::Key_Up); // from "Own " to "IDEA"
    EXPECT_EQ(Get<QLineEdit>("Ecsms").text(), "+48501200777");
}

// A file whose options are off although their codes are set: after "Load ..." the code fields and
// the access code show empty and greyed, and the next store writes them empty.
TEST_F(RealWindowTest, LoadedFileWithOptionsOffShowsTheirFieldsEmptyAndGreyed)
{
    TSettingsRecord record;
    const char codes[] = "ONOFonof"; // enable codes of outputs 1 and 2, then their disable codes
    std::copy(codes, codes + 8, record.bytes.begin() + 25);
    PutText(&record.bytes[33], "1234");
    record.bytes[12] = 0x02 | 0x10; // SMS control of output 2 and the report on; the rest off
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("options.orv");
    ASSERT_FALSE(WriteSettingsFile(record, TUserNotes{}, file.toStdString()));
    files.toLoad = file;

    window.Button2Click();

    ASSERT_TRUE(boxes.shown.empty());
    for (const char* name : {"EZalWy1", "EwylWy1", "EPINMOD"}) {
        EXPECT_EQ(Get<QLineEdit>(name).text(), "") << name;
        EXPECT_FALSE(Get<QLineEdit>(name).isEnabled()) << name;
    }
    EXPECT_EQ(Get<QLineEdit>("EZalWy2").text(), "OF");
    EXPECT_EQ(Get<QLineEdit>("EwylWy2").text(), "of");
    EXPECT_TRUE(Get<QLineEdit>("EwylWy2").isEnabled());
    EXPECT_TRUE(Get<SpinEdit>("SEtestokr").isEnabled());
    EXPECT_FALSE(Get<SpinEdit>("SEWy_offTimer1").isEnabled());

    StoreRecordPass(window, model.record);
    const std::uint8_t stored[] = {0, 0, 'O', 'F', 0, 0, 'o', 'f'};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(model.record.bytes[25 + i], stored[i]) << "byte " << 25 + i;
    EXPECT_EQ(model.record.bytes[33], 0) << "access code stored empty";
}

} // namespace
} // namespace morvel::test
