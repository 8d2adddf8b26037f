// "Save as ..." and "Load ...": what reaches the file, what comes back from it, and what the
// operator is told when a file cannot be used.
#include "window_fixture.h"

#include "model/defaults.h"
#include "model/record_fields.h"
#include "model/settings_file.h"
#include "test_support.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

namespace morvel::window_test {
namespace {

// Record and notes offsets, restated here so that a change to the layout shows up.
constexpr std::size_t kReactionTimes = 0, kOutputOffTimes = 8, kClipRejectTime = 10, kCallTime = 11,
                      kFlags = 12, kReserved13 = 13, kSmsConfirmTime = 14, kSmsSendTries = 15,
                      kBlockTimes = 16, kReportPeriod = 24, kEnableCode1 = 25, kSmsAccessCode = 33,
                      kClipUserFlags = 38, kClipUnknownFlags = 39, kReserved40 = 40,
                      kFirstReaction = 41, kLastInputReaction = 56, kExitTimeReaction = 82, kReserved85 = 85,
                      kSimPin = 101, kSmsCentre = 109, kFirstUserNumber = 125, kFirstInputText = 189,
                      kFirstSpecialText = 781, kTextStride = 37, kExitTime = 1225, kEntryTime = 1226,
                      kSirenTime = 1227, kNotesEntry = 282, kNotesText = 31;

std::size_t SpecialTextOffset(int special, int edge)
{
    return kFirstSpecialText + static_cast<std::size_t>((special - 1) * 2 + (edge - 1)) * kTextStride;
}

// A short string: its length byte, then its characters; the bytes after them stay as they were.
void PutText(std::span<std::uint8_t> bytes, std::size_t offset, const std::string& text)
{
    bytes[offset] = static_cast<std::uint8_t>(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes[offset + 1 + i] = static_cast<std::uint8_t>(text[i]);
}

struct Content {
    TSettingsRecord record;
    TUserNotes notes;
};

Content ReadBack(const QString& file)
{
    Content content;
    const auto error = ReadSettingsFile(file.toStdString(), content.record, content.notes);
    EXPECT_FALSE(error.has_value()) << (error ? error->message : "");
    return content;
}

class WindowFiles : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QTemporaryDir folder;
    WindowUnderTest w;
};

TEST_F(WindowFiles, SavedRightAfterStartUpHoldsTheStartValuesAndEmptyNotes)
{
    w.files.toSave = {PathOf("start.orv")};
    w.window->Button1Click();
    ASSERT_TRUE(w.boxes.shown.empty());
    const Content saved = ReadBack(PathOf("start.orv"));

    const auto& r = saved.record.bytes;
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(r[kReactionTimes + i], 1) << i;
        EXPECT_EQ(r[kBlockTimes + i], 1) << i;
    }
    EXPECT_EQ(r[kOutputOffTimes], 1);
    EXPECT_EQ(r[kOutputOffTimes + 1], 1);
    EXPECT_EQ(r[kClipRejectTime], 1);
    EXPECT_EQ(r[kCallTime], 10);
    EXPECT_EQ(r[kSmsConfirmTime], 10);
    EXPECT_EQ(r[kSmsSendTries], 1);
    EXPECT_EQ(r[kReportPeriod], 1);
    EXPECT_EQ(r[kExitTime], 1);
    EXPECT_EQ(r[kEntryTime], 1);
    EXPECT_EQ(r[kSirenTime], 1);
    EXPECT_EQ(r[kFlags], 0);
    EXPECT_EQ(r[kSmsCentre], 0) << "\"Own \" with an empty number";
    EXPECT_EQ(r[kFirstReaction], 0x80);
    EXPECT_EQ(r[kLastInputReaction], 0x80);
    EXPECT_EQ(saved.notes, TUserNotes{});
    EXPECT_EQ(saved.record, w.model.record) << "the file holds what the store pass put into the record";
}

TEST_F(WindowFiles, RecordLoadedAndSavedAgainIsTheSameByteForByte)
{
    Content original;
    auto& r = original.record.bytes;
    ApplyDefaults(original.record);
    r[kReserved13] = 0x5A;
    r[kReserved40] = 0xA5;
    r[kReserved85] = 0x11;
    r[kFlags] = 0x01 | 0x04 | 0x10 | 0x20;  // codes of output 1, off-timer 1, report, SMS programming
    // Every value in its field's range, so that the controls show it as it is.
    r[kReportPeriod] = 12;
    r[kOutputOffTimes] = 200;
    r[kOutputOffTimes + 1] = 3;
    r[kClipRejectTime] = 240;
    r[kCallTime] = 10;
    r[kSmsConfirmTime] = 30;
    r[kSmsSendTries] = 10;
    r[kEnableCode1] = 'K';
    r[kEnableCode1 + 1] = '1';
    PutText(r, kSmsAccessCode, "ab12");
    r[kClipUserFlags] = 0x01 | 0x08 | 0x80;   // enable output 1, disable output 2, forward unknown SMS
    r[kClipUnknownFlags] = 0x10 | 0x80;       // toggle output 1, and the hidden eighth bit
    r[kExitTimeReaction] = 0x09;
    PutText(r, kSimPin, "1234");
    PutText(r, kSmsCentre, "+48602951111");   // the second preset
    PutText(r, kFirstUserNumber, "+48600100200");
    PutText(r, kFirstInputText, "Alarm: drzwi kierowcy otwarte \xB9\xE6\xEA");  // Polish letters
    // A short text over a longer old one: the old characters after it stay in the tail.
    PutText(r, kFirstInputText + kTextStride, "stary tekst bardzo dlugi");
    PutText(r, kFirstInputText + kTextStride, "nowy");
    for (int special : {4, 6}) {
        for (int edge : {1, 2})
            PutText(r, SpecialTextOffset(special, edge), "special " + std::to_string(special * 10 + edge));
    }
    // User 2's name and notes.
    // User 2's name and notes (a line break is stored as CR LF).
    PutText(original.notes.bytes, kNotesEntry * 1, "Anna \x8Cwi\xEA" "cka");
    PutText(original.notes.bytes, kNotesEntry * 1 + kNotesText, "garage code 1234\r\ncalls after 18:00");
    ASSERT_FALSE(WriteSettingsFile(original.record, original.notes, PathOf("rich.orv").toStdString()));

    w.files.toLoad = {PathOf("rich.orv")};
    w.window->Button2Click();
    ASSERT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.Get<QComboBox>("CBcentrum").currentText(), QString("ERA"));
    EXPECT_EQ(w.Get<QLineEdit>("Eosoba2").text(), QString::fromUtf8("Anna Święcka"));
    EXPECT_TRUE(w.Get<QLineEdit>("EPINMOD").isEnabled());

    w.files.toSave = {PathOf("again.orv")};
    w.window->Button1Click();
    ASSERT_TRUE(w.boxes.shown.empty());
    const Content again = ReadBack(PathOf("again.orv"));
    EXPECT_EQ(again.record, original.record);
    EXPECT_EQ(again.notes, original.notes);
}

// Notes as other programs write them: lines broken by a lone LF, a lone CR or CR CR LF, a NUL
// inside, and 250 bytes of short lines.
struct ForeignNotes {
    const char* name;
    std::string bytes;
};

void PrintTo(const ForeignNotes& c, std::ostream* out) { *out << c.name; }

class WindowForeignNotes : public ::testing::TestWithParam<ForeignNotes> {};

TEST_P(WindowForeignNotes, ComeBackByteForByteWhenNotEdited)
{
    QTemporaryDir folder;
    WindowUnderTest w;
    Content original;
    ApplyDefaults(original.record);
    UserNotesText(original.notes, 3).assign(GetParam().bytes);
    const QString loaded = folder.filePath("foreign-notes.orv");
    const QString saved = folder.filePath("saved.orv");
    ASSERT_FALSE(WriteSettingsFile(original.record, original.notes, loaded.toStdString()));

    w.files.toLoad = {loaded};
    w.window->Button2Click();
    w.files.toSave = {saved};
    w.window->Button1Click();
    ASSERT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(ReadBack(saved).notes, original.notes);
}

std::string ShortLines(std::size_t size)
{
    std::string lines;
    while (lines.size() < size)
        lines += lines.size() % 5 == 4 ? '\n' : 'x';
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowForeignNotes,
    ::testing::Values(ForeignNotes{"LoneLineFeed", "a\nb"}, ForeignNotes{"LoneCarriageReturn", "a\rb"},
                      ForeignNotes{"CarriageReturnTwiceThenLineFeed", "a\r\r\nb"},
                      ForeignNotes{"NulInside", std::string("a\0b", 3)},
                      ForeignNotes{"FullWithLoneLineFeeds", ShortLines(250)}),
    [](const auto& info) { return std::string(info.param.name); });

// Once the operator changes the notes, their lines are stored with CR LF between them.
TEST_F(WindowFiles, EditedNotesAreStoredWithCarriageReturnLineFeed)
{
    Content original;
    ApplyDefaults(original.record);
    UserNotesText(original.notes, 1).assign("a\nb");
    ASSERT_FALSE(WriteSettingsFile(original.record, original.notes, PathOf("lf.orv").toStdString()));
    w.files.toLoad = {PathOf("lf.orv")};
    w.window->Button2Click();

    auto& memo = w.Get<QPlainTextEdit>("Muser1");
    memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&memo, "c");
    w.files.toSave = {PathOf("edited.orv")};
    w.window->Button1Click();
    EXPECT_EQ(UserNotesText(ReadBack(PathOf("edited.orv")).notes, 1), "a\r\nbc");
}

TEST_F(WindowFiles, NumberTypedBeyondTheRangeIsStoredAsTheBoundEvenBeforeTheFieldIsLeft)
{
    auto& exitTime = w.Get<SpinEdit>("SE1190");
    exitTime.selectAll();
    QTest::keyClicks(&exitTime, "300");
    ASSERT_EQ(exitTime.text(), QString("300"));
    w.files.toSave = {PathOf("clamped.orv")};
    w.window->Button1Click();
    EXPECT_EQ(ReadBack(PathOf("clamped.orv")).record.bytes[kExitTime], 255);
}

TEST_F(WindowFiles, SaveDialogProposesTheNameLastChosenToLoad)
{
    w.files.toSave = {PathOf("first.orv")};
    w.window->Button1Click();
    w.files.toLoad = {PathOf("first.orv")};
    w.window->Button2Click();
    w.files.toLoad = {PathOf("missing.orv")};  // chosen, though it cannot be loaded
    w.window->Button2Click();
    w.window->Button1Click();                   // cancelled
    ASSERT_EQ(w.files.proposals.size(), 2u);
    EXPECT_EQ(w.files.proposals[0], QString());
    EXPECT_EQ(w.files.proposals[1], PathOf("missing.orv"));
}

TEST_F(WindowFiles, CancellingEitherDialogChangesNothing)
{
    w.Get<QLineEdit>("EPin").setText("9999");
    const TSettingsRecord before = w.model.record;
    w.window->Button1Click();
    w.window->Button2Click();
    EXPECT_EQ(w.model.record, before);
    EXPECT_EQ(w.Get<QLineEdit>("EPin").text(), QString("9999"));
    EXPECT_TRUE(w.boxes.shown.empty());
}

struct RefusedFile {
    const char* name;
    const char* fileName;
    QByteArray content;  // written first unless empty
    const char* messageStart;
    const char* reason;  // the first line of the detail, or nullptr when the message holds it
};

class WindowRefusedFiles : public ::testing::TestWithParam<RefusedFile> {};

// The box says what went wrong, with which file, and that the editor kept its settings.
TEST_P(WindowRefusedFiles, AreReportedWithTheFileAndChangeNothing)
{
    const RefusedFile& c = GetParam();
    QTemporaryDir folder;
    WindowUnderTest w;
    const QString path = folder.filePath(QString::fromLatin1(c.fileName));
    if (!c.content.isEmpty()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
    }
    w.Get<SpinEdit>("SEtestokr").SetValue(7);
    w.Get<QPlainTextEdit>("Muser1").setPlainText("kept");
    const SettingsModel before = w.model;

    w.files.toLoad = {path};
    w.window->Button2Click();

    ASSERT_EQ(w.boxes.shown.size(), 1u);
    const RecordingBoxes::Shown& shown = w.boxes.shown[0];
    EXPECT_TRUE(shown.text.startsWith(QString::fromLatin1(c.messageStart))) << shown.text.toStdString();
    QStringList detail = shown.detail.split(u'\n');
    if (c.reason) {
        ASSERT_FALSE(detail.isEmpty());
        EXPECT_TRUE(detail.takeFirst().startsWith(QString::fromLatin1(c.reason))) << shown.detail.toStdString();
    }
    EXPECT_EQ(detail, QStringList({"File: " + path, "The editor still shows the previous settings."}));
    EXPECT_EQ(w.model.record, before.record);
    EXPECT_EQ(w.model.notes, before.notes);
    EXPECT_EQ(w.Get<SpinEdit>("SEtestokr").Value(), 7);
    EXPECT_EQ(w.Get<QPlainTextEdit>("Muser1").toPlainText(), QString("kept"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowRefusedFiles,
    ::testing::Values(RefusedFile{"Missing", "missing.orv", {}, "Cannot open file \"", nullptr},
                      RefusedFile{"NotAZlibStream", "foreign.orv", QByteArray("plain text, not settings"), "Error", "not a zlib stream"},
                      RefusedFile{"TruncatedStream", "short.orv", QByteArray::fromHex("789c6360"), "Error", "settings file ends after "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowFiles, FileThatCannotBeCreatedIsReportedWithItsReason)
{
    w.files.toSave = {PathOf("no-such-folder/settings.orv")};
    w.window->Button1Click();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    const QString shown = w.boxes.shown[0].text + w.boxes.shown[0].detail;
    EXPECT_TRUE(shown.contains(PathOf("no-such-folder/settings.orv"))) << shown.toStdString();
    EXPECT_FALSE(QFile::exists(PathOf("no-such-folder/settings.orv")));
}

} // namespace
} // namespace morvel::window_test
