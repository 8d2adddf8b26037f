// Writes a PNG of each page of the main window, of the about box and of a verification's report
// into a folder, so that the look can be checked under a real X server (scripts/screenshots runs
// it under Xvfb, together with morvel-dialog-screenshots, which opens the reaction dialogs
// through their buttons).
#include "app/loader_application.h"
#include "editor/verification_dialog.h"
#include "fields/settings_comparison.h"
#include "model/defaults.h"
#include "model/record_fields.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>
#include <QTest>

#include <cstdio>

namespace {

bool Save(QWidget& widget, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool ShootDialog(QDialog& dialog, const QDir& folder, const QString& name)
{
    dialog.show();
    (void)QTest::qWaitForWindowExposed(&dialog);
    const bool saved = Save(dialog, folder, name);
    dialog.hide();
    return saved;
}

// The report of a module that differs in a few settings, as "Verify module" shows it.
bool ShootVerificationReport(QWidget& window, const QDir& folder)
{
    morvel::TSettingsRecord shown, inModule;
    morvel::ApplyDefaults(shown);
    morvel::UserNumber(shown, 2).assign("+48601234567");
    morvel::InputText(shown, 3, 1).assign("Drzwi kierowcy otwarte");
    inModule = shown;
    morvel::UserNumber(inModule, 2).assign("+48611234567");
    inModule.bytes[morvel::InputOutputReactionOffset(3, 1)] = 0x0A;
    inModule.bytes[12] = 0x21; // two options on two pages
    const morvel::TUserNotes notes;
    auto* report = window.findChild<morvel::VerificationDialog*>(QStringLiteral("VerificationReport"));
    if (report == nullptr)
        return false;
    report->ShowReport(QStringLiteral("Verify module"),
                       QStringLiteral("The module holds other values in these settings. Program it again; if they "
                                      "still differ, replace the module."),
                       morvel::CompareSettings(shown, notes, inModule, notes, morvel::ComparedBytes::Values),
                       QStringLiteral("Editor"), QStringLiteral("Module"));
    (void)QTest::qWaitForWindowExposed(report);
    const bool saved = Save(*report, folder, QStringLiteral("dialog-verification"));
    report->hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: morvel-screenshots FOLDER\n");
        return 2;
    }
    QDir folder(arguments.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    if (!morvel::PrepareApplication())
        return 1;

    morvel::LoaderApplication loader;
    morvel::TGlownaF& window = loader.Window();
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);

    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
    bool ok = pages != nullptr;
    for (int page = 0; ok && page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        ok = Save(window, folder, QStringLiteral("page%1-%2").arg(page + 1).arg(pages->tabText(page).replace(u' ', u'-')));
    }
    if (ok)
        ok = ShootDialog(loader.AboutBox(), folder, QStringLiteral("dialog-about"));
    if (ok)
        ok = ShootVerificationReport(window, folder);
    return ok ? 0 : 1;
}
