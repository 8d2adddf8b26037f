// Writes a PNG of each page of the main window and of the about box into a folder, so that the
// look can be checked under a real X server (scripts/screenshots runs it under Xvfb, together
// with morvel-dialog-screenshots, which opens the reaction dialogs through their buttons).
#include "app/loader_application.h"

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
    return ok ? 0 : 1;
}
