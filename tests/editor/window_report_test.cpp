// "Tools / Export report ...": the report of what the editor shows (the menus: window_verification_test).
#include "window_fixture.h"

#include "model/settings_file.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morvel::window_test {
namespace {

TEST(WindowReport, ReportsWhatTheEditorShowsWithoutTouchingTheRecordOrTheProposedNames)
{
    QTemporaryDir folder;
    WindowUnderTest w;
    ScriptedReportDialog reports;
    w.window->UseReportFileDialog(reports);
    const QString settings = folder.filePath(QStringLiteral("customer.orv"));
    ASSERT_EQ(WriteSettingsFile(w.model.record, w.model.notes, QFile::encodeName(settings).toStdString()), std::nullopt);
    w.files.toLoad = {settings};
    w.window->Button2Click();
    const SettingsModel before = w.model;

    w.Get<QLineEdit>(QStringLiteral("Enruser1")).setText(QStringLiteral("+48600111222"));
    w.Get<QLineEdit>(QStringLiteral("Eosoba1")).setText(QStringLiteral("Jan Żółć"));
    w.Get<QLineEdit>(QStringLiteral("EPin")).setText(QStringLiteral("1234"));
    const QString report = folder.filePath(QStringLiteral("customer.html"));
    reports.choice = ReportChoice{report, {}};
    w.window->ExportReportClick();

    ASSERT_EQ(reports.proposals, (std::vector<QString>{folder.filePath(QStringLiteral("customer.pdf"))}));
    EXPECT_TRUE(w.boxes.shown.empty());
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("customer.orv, as the editor holds it")));
    EXPECT_TRUE(html.contains(QStringLiteral("+48600111222")));
    EXPECT_TRUE(html.contains(QStringLiteral("Jan Żółć")));
    EXPECT_TRUE(html.contains(QStringLiteral("****")));
    EXPECT_FALSE(html.contains(QStringLiteral("1234")));
    EXPECT_EQ(w.model.record, before.record);
    EXPECT_EQ(w.model.notes, before.notes);

    // The settings' save dialog still proposes the file loaded.
    w.window->Button1Click();
    EXPECT_EQ(w.files.proposals, (std::vector<QString>{settings}));
}

TEST(WindowReport, AFileTheReportCannotBeWrittenToIsShownAsAnError)
{
    QTemporaryDir folder;
    WindowUnderTest w;
    ScriptedReportDialog reports;
    w.window->UseReportFileDialog(reports);
    for (const char* name : {"report.txt", "no-folder/report.pdf"}) {
        reports.choice = ReportChoice{folder.filePath(QString::fromLatin1(name)), {}};
        w.boxes.shown.clear();
        w.window->ExportReportClick();
        ASSERT_EQ(w.boxes.shown.size(), 1u) << name;
        EXPECT_FALSE(QFile::exists(reports.choice->fileName)) << name;
    }
    EXPECT_FALSE(w.boxes.shown[0].text.isEmpty());

    reports.choice.reset(); // cancelled: nothing happens
    w.boxes.shown.clear();
    w.window->ExportReportClick();
    EXPECT_TRUE(w.boxes.shown.empty());
}

// The real dialog: PDF or HTML, the extension following the filter, the two boxes off.
TEST(WindowReport, TheDialogOffersPdfOrHtmlAndPrintsNoCodesUnlessTicked)
{
    const std::unique_ptr<QFileDialog> dialog = NewReportFileDialog(nullptr, QStringLiteral("/tmp/customer.pdf"));
    EXPECT_EQ(dialog->nameFilters(), (QStringList{"PDF (*.pdf)", "HTML (*.html *.htm)"}));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("pdf"));
    dialog->selectNameFilter(QStringLiteral("HTML (*.html *.htm)"));
    emit dialog->filterSelected(QStringLiteral("HTML (*.html *.htm)"));
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("html"));
    dialog->show();
    for (const char* name : {"ReportShowCodes", "ReportChangedOnly"}) {
        const auto* box = dialog->findChild<QCheckBox*>(QString::fromLatin1(name));
        ASSERT_NE(box, nullptr) << name;
        EXPECT_TRUE(box->isVisible()) << name;
        EXPECT_FALSE(box->isChecked()) << name;
    }
}

} // namespace
} // namespace morvel::window_test
