// The built morvel-loader on a terminal: --help and --version need no display, and wrong
// arguments end it with a message and the usage status before any window opens.
#include "test_support.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Finished {
    int exitCode = -1;
    QString out, err;
};

// No display at all: a program that created its window's platform here would abort. The
// offscreen platform is for the cases that do get that far.
Finished RunLoader(const QStringList& arguments, const char* platform)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MORVEL_LOADER), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

struct TerminalCase {
    const char* name;
    QStringList arguments;
    const char* platform;
    int exitCode;
    const char* outStart;  // stdout starts with this; empty: stdout stays empty
    const char* errPart;   // stderr contains this; empty: stderr stays empty
};

void PrintTo(const TerminalCase& c, std::ostream* out) { *out << c.name; }

class LoaderOnATerminal : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(LoaderOnATerminal, Answers)
{
    const TerminalCase& c = GetParam();
    const Finished run = RunLoader(c.arguments, c.platform);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    if (*c.outStart)
        EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(c.outStart))) << run.out.toStdString();
    else
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    if (*c.errPart)
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.errPart))) << run.err.toStdString();
    else
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoaderOnATerminal,
    ::testing::Values(
        // "xcb" without a display: the window's platform would fail to start.
        TerminalCase{"Version", {"--version"}, "xcb", 0, "morvel-loader " MORVEL_VERSION "\n", ""},
        TerminalCase{"Help", {"--help"}, "xcb", 0, "Usage: morvel-loader [options] [FILE.orv]\n", ""},
        TerminalCase{"UnknownOption", {"--prot", "/dev/ttyS0"}, "offscreen", 2, "",
                     "morvel-loader: Unknown option 'prot'. (see morvel-loader --help)\n"},
        TerminalCase{"TwoFiles", {"a.orv", "b.orv"}, "offscreen", 2, "", "takes at most one settings file"},
        TerminalCase{"PortWithoutPath", {"--port"}, "offscreen", 2, "", "Missing value after '--port'"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
