// What `morvel set` makes of a file is what the window stores for the same values typed and
// clicked into it.
#include "fields/field_changes.h"
#include "model/settings_file.h"
#include "widgets/spin_edit.h"

#include "loader_run.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvel {
namespace {

// Key by key as the operator types; QTest's own typing knows only ASCII keys.
void TypeInto(QWidget& control, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(&control, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, &control, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Type(LoaderRun& run, const char* field, const QString& text)
{
    auto& edit = run.Get<QLineEdit>(QString::fromLatin1(field));
    edit.clear();
    TypeInto(edit, text);
}

void TypeNumber(LoaderRun& run, const char* field, const char* number)
{
    auto& spin = run.Get<SpinEdit>(QString::fromLatin1(field));
    spin.selectAll();
    QTest::keyClicks(&spin, QString::fromLatin1(number));
}

void Tick(LoaderRun& run, const char* box)
{
    run.Get<QCheckBox>(QString::fromLatin1(box)).click();
}

SettingsModel Saved(LoaderRun& run, const QString& file)
{
    run.files.name = file;
    run.window.Button1Click();
    SettingsModel saved;
    EXPECT_EQ(ReadSettingsFile(QFile::encodeName(file).toStdString(), saved.record, saved.notes), std::nullopt);
    return saved;
}

TEST(WindowAndSet, StoreTheSameBytesForTheSameValues)
{
    QTemporaryDir folder;
    LoaderRun run;
    const SettingsModel startUp = Saved(run, folder.filePath(QStringLiteral("start.orv")));

    Type(run, "Enruser1", QStringLiteral("+48600111222"));
    Type(run, "Eosoba1", QStringLiteral("Jan Żółć"));
    Type(run, "Enruser2", QStringLiteral("+48600333444"));
    Type(run, "Eosoba2", QStringLiteral("Anna"));
    auto& notes = run.Get<QPlainTextEdit>(QStringLiteral("Muser2"));
    TypeInto(notes, QStringLiteral("biuro"));
    QTest::keyClick(&notes, Qt::Key_Return);
    TypeInto(notes, QStringLiteral("8-16"));
    Type(run, "EPin", QStringLiteral("1234"));
    Type(run, "Ecsms", QStringLiteral("+48602951111"));
    Tick(run, "ChBFlags_0");
    Type(run, "EZalWy1", QStringLiteral("A1"));
    Tick(run, "ChBFlags_2");
    TypeNumber(run, "SEWy_offTimer1", "30");
    TypeNumber(run, "SEtimerPod3", "5");
    TypeNumber(run, "SE1190", "20");
    Type(run, "ETSMS_We3_Re1", QStringLiteral("Alarm: drzwi kierowcy ąę"));
    Tick(run, "ChbClipVerif0");
    Tick(run, "ChbClipVerif6");
    Tick(run, "CHB_funkcjaczaswy");
    ClickReactionButton(run, QStringLiteral("BB_ConfigNumerWe3Re1"), {"ChBNoActiv", "ChBTimeOFFWy1", "ChBTimeOFFWy2"}, "BitBtn1");
    ClickReactionButton(run, QStringLiteral("BBConfigWorkWe3Re1"), {"ChBUS1SMS", "ChBUS2Clip"}, "BitBtn1");
    ClickReactionButton(run, QStringLiteral("BB_ConfigNumerSpecWe3Re1"), {"ChBNoActiv", "ChBonWy2In"}, "BitBtn1");
    ClickReactionButton(run, QStringLiteral("BBConfigWorkSpecWe1Re1"), {"ChBUS2SMS"}, "BitBtn1");
    const SettingsModel window = Saved(run, folder.filePath(QStringLiteral("window.orv")));
    ASSERT_TRUE(run.boxes.shown.isEmpty()) << run.boxes.shown.join('\n').toStdString();

    SettingsModel set = startUp;
    std::vector<FieldChange> changes;
    for (const char* assignment :
         {"UserNumber[1]=+48600111222", "UserNote[1].Name=Jan Żółć", "UserNumber[2]=+48600333444", "UserNote[2].Name=Anna",
          "UserNote[2].Notes=biuro\n8-16", "SimPin=1234", "SmsCentre=+48602951111",
          "Flags=output 1 by SMS,output 1 off by time", "EnableCode[1]=A1", "OutputOffTime[1]=30", "ReactionTime[3]=5",
          "ExitTime=20", "InputText[3][1]=Alarm: drzwi kierowcy ąę", "ClipUserFlags=enable output 1,report to user 1",
          "SpecialOutputReaction[5][2]=exit-time function", "InputOutputReaction[3][1]=siren on,immobiliser on",
          "InputNotification[3][1]=SMS user 1,CLIP user 2", "SpecialOutputReaction[3][1]=output 2 on",
          "SpecialNotification[1][1]=SMS user 2"})
        changes.push_back(*ParseAssignment(QString::fromUtf8(assignment)));
    const ChangeResult result = ApplyFieldChanges(set.record, set.notes, changes);
    ASSERT_TRUE(result.refused.empty()) << result.refused.front().field << ": " << result.refused.front().problem;
    EXPECT_EQ(result.changed.size(), changes.size());

    ASSERT_NE(window.record, startUp.record);
    for (std::size_t i = 0; i < kRecordSize; ++i)
        EXPECT_EQ(int(set.record.bytes[i]), int(window.record.bytes[i])) << "record byte " << i;
    for (std::size_t i = 0; i < kNotesSize; ++i)
        EXPECT_EQ(int(set.notes.bytes[i]), int(window.notes.bytes[i])) << "notes byte " << i;
}

} // namespace
} // namespace morvel
