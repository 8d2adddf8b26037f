// `morvel diff` and `morvel dump --json` on settings files.
#include "model/defaults.h"
#include "model/record_fields.h"
#include "model/settings_file.h"
#include "tool_process.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morvel {
namespace {

constexpr std::size_t kReserved86 = 86; // restated from the record's layout

ToolRun Morvel(const QStringList& arguments)
{
    return RunTool(QStringLiteral(MORVEL_TOOL), arguments);
}

class Diff : public ::testing::Test {
protected:
    Diff()
    {
        ApplyDefaults(a.record);
        UserNumber(a.record, 2).assign("+48601234567");
        SmsAccessCode(a.record).assign("1234");
        b = a;
    }
    QString Save(const char* name, const SettingsModel& model)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        EXPECT_FALSE(WriteSettingsFile(model.record, model.notes, path.toStdString()));
        return path;
    }
    ToolRun Run(QStringList options = {})
    {
        return Morvel(QStringList{QStringLiteral("diff")} + options + QStringList{Save("a.orv", a), Save("b.orv", b)});
    }

    QTemporaryDir dir;
    SettingsModel a, b;
};

TEST_F(Diff, SameSettingsExitWith0AndPrintNothing)
{
    const ToolRun run = Run();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(Diff, ListsExactlyTheChangedFields)
{
    UserNumber(b.record, 2).assign("+48601234568");
    b.record.bytes[InputOutputReactionOffset(3, 1)] = 0x08;
    UserName(b.notes, 4).assign("Ewa");
    const ToolRun run = Run();
    EXPECT_EQ(run.exitCode, 1);
    const QString a = dir.filePath("a.orv"), bb = dir.filePath("b.orv");
    EXPECT_EQ(run.out.split(u'\n', Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("InputOutputReaction[3][1] (Inputs / Input 3 / Connecting to GND / Reaction of outputs): "
                                          "%1 0x80 (inactive), %2 0x08 (output 1 on)").arg(a, bb),
                           QStringLiteral("UserNumber[2] (Telephone numbers / User 2 number): %1 \"+48601234567\", "
                                          "%2 \"+48601234568\"").arg(a, bb),
                           QStringLiteral("UserNote[4].Name (Telephone numbers / User 4 name): %1 \"\", %2 \"Ewa\"").arg(a, bb)}));
}

TEST_F(Diff, ReservedBytesAndStaleTailsOnlyWithAll)
{
    b.record.bytes[kReserved86] = 0x5A;
    SmsAccessCode(b.record).assign("12"); // a's "1234" leaves "34" behind
    SmsAccessCode(a.record).assign("12");
    b.record.bytes[37] = '7';              // another stale tail, the same value "12"

    const ToolRun plain = Run();
    EXPECT_EQ(plain.exitCode, 0) << plain.out.toStdString();
    const ToolRun all = Run({QStringLiteral("--all")});
    EXPECT_EQ(all.exitCode, 1);
    const QStringList lines = all.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << all.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("record byte 37 (tail of SmsAccessCode): ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(" 0x34, " + dir.filePath("b.orv") + " 0x37")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("record byte 86 (Reserved86): ")) << lines[1].toStdString();
}

TEST_F(Diff, JsonHoldsTheVerdictAndBothValues)
{
    SimPin(b.record).assign("4321");
    const ToolRun run = Run({QStringLiteral("--json")});
    EXPECT_EQ(run.exitCode, 1);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_EQ(json["verdict"].toString(), QStringLiteral("different"));
    const QJsonArray differences = json["differences"].toArray();
    ASSERT_EQ(differences.size(), 1);
    EXPECT_EQ(differences[0]["name"].toString(), QStringLiteral("SimPin"));
    EXPECT_EQ(differences[0]["page"].toString(), QStringLiteral("Basic"));
    EXPECT_EQ(differences[0]["caption"].toString(), QStringLiteral("SIM PIN Code"));
    EXPECT_EQ(differences[0]["offset"].toInt(), 101);
    EXPECT_EQ(differences[0]["a"].toString(), QStringLiteral("\"\""));
    EXPECT_EQ(differences[0]["b"].toString(), QStringLiteral("\"4321\""));

    b = a;
    const ToolRun same = Run({QStringLiteral("--json")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(QJsonDocument::fromJson(same.out.toUtf8()).object()["verdict"].toString(), QStringLiteral("same"));
}

TEST_F(Diff, AnUnreadableFileIsTroubleWith2)
{
    const ToolRun run = Morvel({QStringLiteral("diff"), Save("a.orv", a), dir.filePath("missing.orv")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Cannot open file")) << run.err.toStdString();
}

TEST(DumpJson, EveryFieldWithItsPlaceAndValue)
{
    QTemporaryDir dir;
    SettingsModel model;
    ApplyDefaults(model.record);
    InputText(model.record, 2, 1).assign("Za\xBF\xF3\xB3\xE6"); // "Zażółć" in Windows-1250
    const QString file = dir.filePath("d.orv");
    ASSERT_FALSE(WriteSettingsFile(model.record, model.notes, file.toStdString()));

    const ToolRun run = Morvel({QStringLiteral("dump"), QStringLiteral("--json"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonArray fields = QJsonDocument::fromJson(run.out.toUtf8(), &error).object()["fields"].toArray();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    ASSERT_EQ(fields.size(), 138);
    for (const QJsonValue& value : fields) {
        const QJsonObject field = value.toObject();
        if (field["name"] == QStringLiteral("InputText[2][1]")) {
            EXPECT_EQ(field["value"].toString(), QString::fromUtf8("Zażółć"));
            EXPECT_EQ(field["page"].toString(), QStringLiteral("Inputs"));
            EXPECT_EQ(field["offset"].toInt(), 189 + 74);
        }
        if (field["name"] == QStringLiteral("InputOutputReaction[1][1]")) {
            EXPECT_EQ(field["value"].toInt(), 0x80);
            EXPECT_EQ(field["text"].toString(), QStringLiteral("0x80 (inactive)"));
        }
    }
}

} // namespace
} // namespace morvel
