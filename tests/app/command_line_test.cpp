// How morvel-loader reads its arguments, and what the window does with a file and a port
// given that way.
#include "app/command_line.h"

#include "window_fixture.h"

#include "model/defaults.h"
#include "model/settings_file.h"
#include "test_support.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace morvel {
namespace {

using Kind = LoaderRequest::Kind;

LoaderRequest Parse(const QStringList& arguments)
{
    NameTheProgram();
    return ParseLoaderArguments(QStringList{QStringLiteral("morvel-loader")} + arguments);
}

struct ParseCase {
    const char* name;
    QStringList arguments;
    Kind kind;
    const char* file;       // relative to the working folder; empty for none
    const char* port;       // nullptr for none
    const char* textParts;  // what the answer must contain, '|' between parts
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.name; }

class LoaderArguments : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LoaderArguments, AreReadAsTheyAreMeant)
{
    const ParseCase& c = GetParam();
    const LoaderRequest request = Parse(c.arguments);
    EXPECT_EQ(request.kind, c.kind) << request.text.toStdString();
    const QString expectedFile = *c.file ? QDir::current().absoluteFilePath(QString::fromUtf8(c.file)) : QString();
    EXPECT_EQ(request.settingsFile, expectedFile);
    EXPECT_EQ(request.portName, c.port ? std::optional<QString>(QString::fromUtf8(c.port)) : std::nullopt);
    for (const QString& part : QString::fromUtf8(c.textParts).split(u'|', Qt::SkipEmptyParts))
        EXPECT_TRUE(request.text.contains(part)) << "missing " << part.toStdString() << " in\n" << request.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoaderArguments,
    ::testing::Values(
        ParseCase{"Nothing", {}, Kind::OpenWindow, "", nullptr, ""},
        ParseCase{"File", {"settings.orv"}, Kind::OpenWindow, "settings.orv", nullptr, ""},
        ParseCase{"FileInAFolder", {"customers/../a b.orv"}, Kind::OpenWindow, "a b.orv", nullptr, ""},
        ParseCase{"Port", {"--port", "/tmp/morvel-module"}, Kind::OpenWindow, "", "/tmp/morvel-module", ""},
        ParseCase{"PortWithEquals", {"--port=/dev/ttyUSB0"}, Kind::OpenWindow, "", "/dev/ttyUSB0", ""},
        ParseCase{"PortAndFile", {"x.orv", "--port", "/dev/ttyS1"}, Kind::OpenWindow, "x.orv", "/dev/ttyS1", ""},
        ParseCase{"Version", {"--version"}, Kind::ShowVersion, "", nullptr, "morvel-loader " MORVEL_VERSION "\n"},
        ParseCase{"Help", {"-h"}, Kind::ShowHelp, "", nullptr,
                  "Usage: morvel-loader [options] [FILE.orv]\n|--port <PATH>|-v, --version|\"Load ...\"|Exit status:"},
        ParseCase{"HelpWinsOverAFile", {"a.orv", "--help"}, Kind::ShowHelp, "", nullptr, "--port <PATH>"},
        ParseCase{"TwoFiles", {"a.orv", "b.orv"}, Kind::UsageError, "", nullptr,
                  "morvel-loader: takes at most one settings file (see morvel-loader --help)\n"},
        ParseCase{"UnknownOption", {"--prot", "/dev/ttyS0"}, Kind::UsageError, "", nullptr,
                  "morvel-loader: Unknown option 'prot'. (see morvel-loader --help)\n"},
        ParseCase{"PortWithoutPath", {"--port"}, Kind::UsageError, "", nullptr, "Missing value after '--port'"}),
    [](const auto& info) { return std::string(info.param.name); });

// The window as morvel-loader starts it, then given its arguments.
class WindowStartedWith : public ::testing::Test {
protected:
    void Start(const QStringList& arguments) { ApplyStartRequest(*w.window, Parse(arguments)); }
    QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    TSettingsRecord Defaults() const
    {
        TSettingsRecord record;
        ApplyDefaults(record);
        return record;
    }

    QTemporaryDir folder;
    window_test::WindowUnderTest w{{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")}};
};

TEST_F(WindowStartedWith, NothingShowsTheDefaultsAndTheFirstPort)
{
    const SettingsModel atStart = w.model;
    Start({});
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.Get<QComboBox>("CBcom").currentText(), QString("/dev/ttyS0"));
    EXPECT_EQ(w.model.record, atStart.record);
    EXPECT_EQ(w.model.notes, atStart.notes);
    w.window->Button1Click();  // cancelled
    EXPECT_EQ(w.files.proposals, std::vector<QString>{QString()});
}

TEST_F(WindowStartedWith, SettingsFileShowsItsSettingsAndIsProposedForSaving)
{
    // Offsets restated: SIM PIN, the options byte (bit 4: periodic report), the report period,
    // and user 1's name in the notes.
    TSettingsRecord record = Defaults();
    record.bytes[101] = 4;
    record.bytes[102] = '4', record.bytes[103] = '3', record.bytes[104] = '2', record.bytes[105] = '1';
    record.bytes[12] = 0x10;
    record.bytes[24] = 12;
    TUserNotes notes;
    const std::string name = "Jan Kowalski";
    notes.bytes[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), notes.bytes.begin() + 1);
    ASSERT_FALSE(WriteSettingsFile(record, notes, PathOf("customer.orv").toStdString()));

    Start({PathOf("customer.orv")});

    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.Get<QLineEdit>("EPin").text(), QString("4321"));
    EXPECT_EQ(w.Get<QLineEdit>("Eosoba1").text(), QString("Jan Kowalski"));
    EXPECT_TRUE(w.Get<QCheckBox>("ChBFlags_4").isChecked());
    EXPECT_TRUE(w.Get<SpinEdit>("SEtestokr").isEnabled()) << "the report rule ran after the load";
    EXPECT_EQ(w.Get<SpinEdit>("SEtestokr").Value(), 12);
    EXPECT_EQ(w.model.record, record);
    EXPECT_EQ(w.model.notes, notes);
    w.window->Button1Click();  // cancelled
    EXPECT_EQ(w.files.proposals, std::vector<QString>{PathOf("customer.orv")});
}

TEST_F(WindowStartedWith, PortGoesIntoThePortBox)
{
    Start({"--port", "/tmp/morvel-module"});
    EXPECT_EQ(w.Get<QComboBox>("CBcom").currentText(), QString("/tmp/morvel-module"));
    EXPECT_EQ(w.Get<QComboBox>("CBcom").lineEdit()->cursorPosition(), 0) << "the path shows from its start";
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.model.record, Defaults());
}

struct RefusedStart {
    const char* name;
    const char* fileName;
    QByteArray content;  // written as a file unless null; a folder is made when it is "/"
    const char* messageStart;
    const char* reason;  // in the message or its detail
};

void PrintTo(const RefusedStart& c, std::ostream* out) { *out << c.name; }

class WindowStartedWithARefusedFile : public ::testing::TestWithParam<RefusedStart> {};

TEST_P(WindowStartedWithARefusedFile, ShowsOneBoxAndKeepsTheDefaults)
{
    const RefusedStart& c = GetParam();
    QTemporaryDir folder;
    window_test::WindowUnderTest w;
    const QString path = folder.filePath(QString::fromLatin1(c.fileName));
    if (c.content == "/") {
        ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromLatin1(c.fileName)));
    } else if (!c.content.isNull()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
    }
    const SettingsModel atStart = w.model;
    const QString pinAtStart = w.Get<QLineEdit>("EPin").text();

    ApplyStartRequest(*w.window, Parse({path}));

    ASSERT_EQ(w.boxes.shown.size(), 1u);
    const QString shown = w.boxes.shown[0].text + u'\n' + w.boxes.shown[0].detail;
    EXPECT_TRUE(w.boxes.shown[0].text.startsWith(QString::fromLatin1(c.messageStart))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromLatin1(c.reason))) << shown.toStdString();
    EXPECT_EQ(w.model.record, atStart.record);
    EXPECT_EQ(w.model.notes, atStart.notes);
    EXPECT_EQ(w.Get<QLineEdit>("EPin").text(), pinAtStart);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowStartedWithARefusedFile,
    ::testing::Values(
        RefusedStart{"NotASettingsFile", "notes.orv", QByteArray("plain text, not settings"), "Error", "Error"},
        RefusedStart{"Missing", "missing.orv", QByteArray(), "Cannot open file \"", "missing.orv\". No such file"},
        RefusedStart{"Folder", "customers", QByteArray("/"), "Cannot open file \"", "customers\". Is a directory"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvel
