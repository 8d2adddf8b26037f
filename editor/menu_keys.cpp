#include "editor/menu_keys.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>

namespace morvel {

namespace {

void OpenOnKeys(QMainWindow& window, QAction* menu, const QKeySequence& keys)
{
    auto* shortcut = new QShortcut(keys, &window);
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     [&window, menu] { window.menuBar()->setActiveAction(menu); });
}

} // namespace

void InstallMenuKeys(QMainWindow& window)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    if (!menus.isEmpty())
        OpenOnKeys(window, menus.front(), QKeySequence(Qt::Key_F10));
    // The titles carry no "&": their first letters stand in for it.
    for (QAction* menu : menus) {
        const QString title = menu->text();
        if (!title.isEmpty() && title.front().isLetter())
            OpenOnKeys(window, menu, QKeySequence(QStringLiteral("Alt+") + title.front().toUpper()));
    }
}

} // namespace morvel
