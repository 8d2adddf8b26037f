// morvel-sim --trace and morvel ports, run as an installer would run them.
#include "model/defaults.h"
#include "model/record_fields.h"
#include "model/settings_file.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morvel {
namespace {

QStringList TraceLines(const QString& trace, const QString& direction)
{
    QStringList bytes;
    const QString marker = QStringLiteral(" ms  ") + direction + QStringLiteral("  ");
    for (const QString& line : trace.split(u'\n')) {
        if (const qsizetype at = line.indexOf(marker); at >= 0)
            bytes << line.mid(at + marker.size());
    }
    return bytes;
}

TEST(SimulatorTrace, ShowsWhatTheModuleReceivesAndSendsWithThePinMasked)
{
    QTemporaryDir dir;
    TSettingsRecord record;
    TUserNotes notes;
    ApplyDefaults(record);
    SimPin(record).assign("7395");
    const QString settings = dir.filePath(QStringLiteral("in.orv"));
    ASSERT_FALSE(WriteSettingsFile(record, notes, settings.toStdString()));

    QProcess sim;
    sim.start(QStringLiteral(MORVEL_SIM), {QStringLiteral("--trace")});
    ASSERT_TRUE(sim.waitForReadyRead(10000));
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QProcess tool;
    tool.start(QStringLiteral(MORVEL_TOOL), {QStringLiteral("program"), QStringLiteral("--port"), port, QStringLiteral("--no-verify"), settings});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));

    const QString trace = QString::fromLocal8Bit(sim.readAllStandardError());
    const QStringList received = TraceLines(trace, QStringLiteral("recv"));
    ASSERT_FALSE(received.isEmpty()) << trace.toStdString();
    EXPECT_EQ(received.front(), QStringLiteral("*2*1"));
    EXPECT_EQ(TraceLines(trace, QStringLiteral("send")).size(), 28) << trace.toStdString();
    EXPECT_FALSE(trace.contains(QStringLiteral("7395")));
    EXPECT_TRUE(received.join(QString()).contains(QStringLiteral("\"****\""))) << trace.toStdString();
}

TEST(PortsCommand, ListsThePortsOrSaysThereAreNone)
{
    QProcess tool;
    tool.start(QStringLiteral(MORVEL_TOOL), {QStringLiteral("ports")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(tool.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(tool.readAllStandardError());
    if (out.isEmpty()) {
        EXPECT_TRUE(err.startsWith(QStringLiteral("morvel: no serial ports found"))) << err.toStdString();
    }
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_EQ(line.count(u'\t'), 5) << line.toStdString();
}

} // namespace
} // namespace morvel
