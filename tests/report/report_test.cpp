// The job report as the customer reads it: the text pdftotext takes out of the PDF and the text
// of the HTML page hold every user, every edge that does something in words, the Polish
// letters of the texts, and the codes only when asked for.
#include "fields/field_changes.h"
#include "model/defaults.h"
#include "report/report_builder.h"
#include "report/report_file.h"

#include "test_support.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvel {
namespace {

// A customer's settings: three users, three input edges and the HIJACK input doing something,
// output 1 switched by SMS with a confirmation, the codes set.
SettingsModel CustomerSettings()
{
    SettingsModel model;
    ApplyDefaults(model.record);
    const std::vector<std::string> assignments = {
        "UserNumber[1]=+48600111222", "UserNote[1].Name=Jan Kowalski", "UserNote[1].Notes=Właściciel\nbiuro 8-16",
        "UserNumber[2]=+48600333444", "UserNote[2].Name=Anna Żółć",
        "UserNumber[3]=+48600555666", "UserNote[3].Name=Piotr Wiśniewski",
        "SimPin=1234", "Flags=output 1 by SMS,output 1 off by time,SMS programming", "SmsAccessCode=ab12",
        "SmsCentre=+48602951111", "EnableCode[1]=A1", "DisableCode[1]=A0", "OutputOffTime[1]=30",
        "InputOutputReaction[3][1]=siren on,immobiliser on", "InputNotification[3][1]=SMS user 1,CLIP user 2",
        "InputText[3][1]=Alarm: drzwi kierowcy",
        "InputOutputReaction[4][2]=output 1 on", "InputNotification[4][2]=SMS user 3",
        "InputNotification[8][1]=CLIP user 1", "InputText[8][1]=Zażółć gęślą jaźń",
        "SpecialOutputReaction[3][1]=output 2 on", "SpecialNotification[3][1]=SMS user 1,CLIP user 1",
        "SpecialNotification[1][1]=SMS user 1", "SpecialText[1][1]=Wyjście 1 włączone",
        "ClipUserFlags=enable output 1,report to user 1",
    };
    std::vector<FieldChange> changes;
    for (const std::string& assignment : assignments)
        changes.push_back(*ParseAssignment(QString::fromStdString(assignment)));
    const ChangeResult result = ApplyFieldChanges(model.record, model.notes, changes);
    EXPECT_TRUE(result.refused.empty()) << result.refused.front().field << ": " << result.refused.front().problem;
    return model;
}

// What the customer reads in the report, whichever of the two forms.
const std::vector<QString> kCustomerFacts = {
    QStringLiteral("1 +48600111222 Jan Kowalski Właściciel biuro 8-16"),
    QStringLiteral("2 +48600333444 Anna Żółć"),
    QStringLiteral("3 +48600555666 Piotr Wiśniewski"),
    QStringLiteral("SMS centre +48602951111 (ERA)"),
    QStringLiteral("A call from a user switches output 1 on and sends a report to User 1 (Jan Kowalski)"),
    QStringLiteral("SMS programming on, access code ****"),
    QStringLiteral("Input 3 (-) Connecting to GND immobiliser on, siren on SMS to User 1 (Jan Kowalski), "
                   "call to User 2 (Anna Żółć) \"Alarm: drzwi kierowcy\""),
    QStringLiteral("Input 4 (+) Disconnecting from +12V output 1 on SMS to User 3 (Piotr Wiśniewski)"),
    QStringLiteral("Input 8 (+) Connecting to +12V no reaction call to User 1 (Jan Kowalski) \"Zażółć gęślą jaźń\""),
    QStringLiteral("No reaction and nobody informed: Input 1 (-) (both edges); Input 2 (-) (both edges); "
                   "Input 3 (-) (Disconnecting from GND); Input 4 (+) (Connecting to +12V);"),
    QStringLiteral("HIJACK input Connecting to GND output 2 on SMS and call to User 1 (Jan Kowalski)"),
    QStringLiteral("Switched by SMS on with \"A1\", off with \"A0\" no"),
    QStringLiteral("Switches itself off after 30 s no"),
    QStringLiteral("When switched on SMS to User 1 (Jan Kowalski); text \"Wyjście 1 włączone\" nobody is informed"),
};

QString Collapsed(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

struct Tool {
    int exitCode = -1;
    QString out;
};

Tool RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        ADD_FAILURE() << program.toStdString() << " did not run; scripts/setup installs poppler-utils";
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

class Report : public testing::Test {
protected:
    // The report of the settings as a file of that format; the text a reader gets out of it.
    QString ReportText(const SettingsModel& model, ReportFormat format, ReportOptions options = {})
    {
        const ReportSource source{QStringLiteral("customer.orv"), QStringLiteral("morvel test"),
                                  QDateTime(QDate(2026, 5, 4), QTime(9, 30)), std::nullopt};
        const QString file = directory_.filePath(format == ReportFormat::Pdf ? QStringLiteral("report.pdf")
                                                                            : QStringLiteral("report.html"));
        const auto error = WriteReportFile(BuildReport(model.record, model.notes, source, options), format,
                                           QFile::encodeName(file).toStdString());
        EXPECT_FALSE(error.has_value()) << error->message;
        if (format == ReportFormat::Pdf) {
            const Tool text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
            EXPECT_EQ(text.exitCode, 0);
            lines_ = text.out.count(u'\n');
            return Collapsed(text.out);
        }
        QFile html(file);
        EXPECT_TRUE(html.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(html.readAll());
        text.remove(QRegularExpression(QStringLiteral("<style>.*</style>"), QRegularExpression::DotMatchesEverythingOption));
        text.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
        text.replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&lt;"), QLatin1String("<"));
        text.replace(QLatin1String("&gt;"), QLatin1String(">")).replace(QLatin1String("&amp;"), QLatin1String("&"));
        return Collapsed(text);
    }

    QString PdfFonts()
    {
        return RunTool(QStringLiteral("pdffonts"), {directory_.filePath(QStringLiteral("report.pdf"))}).out;
    }

    QTemporaryDir directory_;
    qsizetype lines_ = 0;
};

TEST_F(Report, PdfAndHtmlHoldEveryUserEveryActiveEdgeAndThePolishLetters)
{
    const SettingsModel model = CustomerSettings();
    for (ReportFormat format : {ReportFormat::Pdf, ReportFormat::Html}) {
        const QString text = ReportText(model, format);
        const char* form = format == ReportFormat::Pdf ? "PDF" : "HTML";
        for (const QString& fact : kCustomerFacts)
            EXPECT_TRUE(text.contains(fact)) << form << " lacks: " << fact.toStdString() << "\nin: " << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("SIM PIN ****"))) << form;
        EXPECT_FALSE(text.contains(QStringLiteral("1234"))) << form;
        EXPECT_FALSE(text.contains(QStringLiteral("ab12"))) << form;
        EXPECT_TRUE(text.contains(QStringLiteral("Settings customer.orv Made 2026-05-04 09:30 Program morvel test"))) << form;
    }
}

TEST_F(Report, PdfEmbedsTheFontWithThePolishLetters)
{
    ReportText(CustomerSettings(), ReportFormat::Pdf);
    const QStringList fonts = PdfFonts().split(u'\n', Qt::SkipEmptyParts).mid(2); // below the two header lines
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts) {
        EXPECT_TRUE(font.startsWith(QLatin1String("DejaVuSans"))) << font.toStdString();
        // The columns "emb sub uni": embedded, with a map to Unicode for the text.
        EXPECT_TRUE(font.contains(QRegularExpression(QStringLiteral("\\byes\\s+\\S+\\s+yes\\b")))) << font.toStdString();
    }
}

TEST_F(Report, CodesArePrintedOnlyWhenAskedFor)
{
    const SettingsModel model = CustomerSettings();
    for (ReportFormat format : {ReportFormat::Pdf, ReportFormat::Html}) {
        const QString text = ReportText(model, format, {ReportCodes::Shown, ReportScope::Everything});
        EXPECT_TRUE(text.contains(QStringLiteral("SIM PIN 1234")));
        EXPECT_TRUE(text.contains(QStringLiteral("SMS programming on, access code ab12")));
        EXPECT_FALSE(text.contains(QStringLiteral("****")));
    }
}

TEST_F(Report, ChangedOnlyLeavesOutWhatANewFileHolds)
{
    const SettingsModel model = CustomerSettings();
    const QString everything = ReportText(model, ReportFormat::Pdf);
    const QString changed = ReportText(model, ReportFormat::Pdf, {ReportCodes::Hidden, ReportScope::ChangedOnly});
    for (const char* fact : {"Time for exit 1", "Input timers", "No reaction and nobody informed",
                             "A call from an unknown number does nothing", "Unidentified SMS not forwarded"}) {
        EXPECT_TRUE(everything.contains(QLatin1String(fact))) << fact;
        EXPECT_FALSE(changed.contains(QLatin1String(fact))) << fact;
    }
    for (const QString& fact : {kCustomerFacts[0], kCustomerFacts[6], kCustomerFacts[10], kCustomerFacts[12]})
        EXPECT_TRUE(changed.contains(fact)) << fact.toStdString();
    EXPECT_TRUE(changed.contains(QStringLiteral("Only the settings that differ from those of a new settings file are listed.")));
}

TEST_F(Report, OfANewFileIsShortAndSaysNothingIsSet)
{
    SettingsModel model;
    ApplyDefaults(model.record);
    // What the window stores at start-up: its spin edits show a new file's zeros as their minimums.
    std::vector<FieldChange> minimums;
    for (const char* name : {"CallTime=10", "SmsConfirmTime=10", "ReportPeriod=1", "ClipRejectTime=1", "SmsSendTries=1"})
        minimums.push_back(*ParseAssignment(QString::fromLatin1(name)));
    for (bool startUpState : {false, true}) {
        if (startUpState) {
            ASSERT_TRUE(ApplyFieldChanges(model.record, model.notes, minimums).refused.empty());
        }
        const QString text = ReportText(model, ReportFormat::Pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Nothing is set: every setting holds the value a new settings file starts with.")));
        EXPECT_FALSE(text.contains(QStringLiteral("Users")));
        EXPECT_FALSE(text.contains(QStringLiteral("Input 1")));
        EXPECT_LE(lines_, 8) << text.toStdString();
    }
}

} // namespace
} // namespace morvel
