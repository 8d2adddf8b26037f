// The real file dialogs of "Load ..." and "Save as ...": their filters, default extension and
// proposed name, driven while they are shown modally.
#include "editor/settings_file_dialogs.h"

#include "test_support.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace morvel {
namespace {

struct SeenDialog {
    QString name;
    QStringList filters;
    QString defaultSuffix;
    QStringList selected;
    bool confirmsOverwrite = true;
};

// Looks at the modal file dialog once it is up, then closes it with `accept` or a cancel.
void InspectAndClose(SeenDialog& seen, bool accept)
{
    QTimer::singleShot(0, [&seen, accept] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen.name = dialog->objectName();
        seen.filters = dialog->nameFilters();
        seen.defaultSuffix = dialog->defaultSuffix();
        seen.selected = dialog->selectedFiles();
        seen.confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        QDialog* box = dialog;  // accept() is public on QDialog
        accept ? box->accept() : box->reject();
    });
}

TEST(SettingsFileDialogs, OfferSettingsFilesOrAllFilesWithTheSettingsExtension)
{
    QtSettingsFileDialogs dialogs;
    SeenDialog seen;
    InspectAndClose(seen, false);
    EXPECT_EQ(dialogs.ChooseFileToLoad(nullptr), std::nullopt);
    EXPECT_EQ(seen.name, QString("OpenDialog1"));
    EXPECT_EQ(seen.filters, QStringList({"pliki orv (*.orv)", "Wszystkie (*)"}));
    EXPECT_EQ(seen.defaultSuffix, QString("orv"));
}

TEST(SettingsFileDialogs, SaveProposesTheGivenNameAndReplacesWithoutAsking)
{
    QtSettingsFileDialogs dialogs;
    SeenDialog seen;
    const QString proposed = QDir::temp().filePath(OwnName("loaded-last") + ".orv");
    InspectAndClose(seen, true);
    const std::optional<QString> chosen = dialogs.ChooseFileToSave(nullptr, proposed);
    EXPECT_EQ(seen.name, QString("SaveDialog1"));
    EXPECT_EQ(seen.selected, QStringList{proposed});
    EXPECT_FALSE(seen.confirmsOverwrite);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, proposed);
}

// With nothing loaded the proposal is empty: the name chosen at the previous save must not come
// back, or the next car's settings would silently replace the previous car's file.
TEST(SettingsFileDialogs, SaveWithNothingLoadedDoesNotProposeThePreviousSave)
{
    QtSettingsFileDialogs dialogs;
    const QString previous = QDir::temp().filePath(OwnName("first-car") + ".orv");
    SeenDialog first;
    InspectAndClose(first, true);
    ASSERT_EQ(dialogs.ChooseFileToSave(nullptr, previous), std::optional<QString>(previous));

    SeenDialog second;
    InspectAndClose(second, false);
    EXPECT_EQ(dialogs.ChooseFileToSave(nullptr, QString()), std::nullopt);
    EXPECT_EQ(second.name, QString("SaveDialog1"));
    EXPECT_FALSE(second.selected.contains(previous)) << second.selected.join(", ").toStdString();
}

} // namespace
} // namespace morvel
