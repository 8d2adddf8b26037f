// Writes a PNG of each reaction dialog as its openers show it, for an input, the HIJACK input,
// the Arm/Disarm input and an output confirmation, so that the look can be checked under a real
// X server:  xvfb-run -a morvel-dialog-screenshots FOLDER
// Each picture carries the dialog's title above it, since a bare X server draws no title bars.
#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "dialogs/reaction_openers.h"
#include "model/settings_record.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

using namespace morvel;

// The dialog as shown, under a strip with its title.
QPixmap WithTitle(QWidget& dialog)
{
    const QPixmap body = dialog.grab();
    const QFontMetrics metrics(dialog.font());
    const int strip = metrics.height() + 8;
    QPixmap picture(body.width(), body.height() + strip);
    picture.fill(QColor(0x3c, 0x3f, 0x45));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.drawText(QRect(8, 0, body.width() - 16, strip), Qt::AlignVCenter | Qt::AlignLeft, dialog.windowTitle());
    painter.drawPixmap(0, strip, body);
    return picture;
}

// Runs the opener; while its dialog shows, saves the picture and cancels.
bool Shoot(const QDir& folder, const QString& name, const std::function<bool()>& open)
{
    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        (void)QTest::qWaitForWindowExposed(dialog);
        const QString path = folder.filePath(name + QStringLiteral(".png"));
        saved = WithTitle(*dialog).save(path);
        std::printf("%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
        dialog->reject();
    });
    open();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: morvel-dialog-screenshots FOLDER\n");
        return 2;
    }
    QDir folder(arguments.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(arguments.at(1)));
        return 1;
    }

    TSettingsRecord record;
    record.bytes[43] = 0x1B;  // input 2, edge 1: enable and disable output 1, siren, delayed reaction
    record.bytes[77] = 0x0D;  // HIJACK, edge 1: enable output 1, immobiliser, delayed (hidden)
    record.bytes[82] = 0x81;  // Arm/Disarm, edge 2: inactive, exit-time bit (hidden)
    record.bytes[59] = 0x3B;  // input 2, edge 1: users 1-3
    record.bytes[93] = 0x0F;  // HIJACK, edge 1: users 1 and 2
    record.bytes[98] = 0x41;  // Arm/Disarm, edge 2: SMS to users 1 and 4
    record.bytes[89] = 0xAA;  // output 1 switched on: CLIP bits only, hidden
    const UserFields users = {{{QStringLiteral("Jan Kowalski"), QStringLiteral("+48601000001")},
                               {QStringLiteral("Łucja Żak-Wiśniewska"), QStringLiteral("+48601000002")},
                               {QString(), QStringLiteral("+48601000003")},
                               {QStringLiteral("Grzegorz"), QString()}}};

    TFconfigNumberWeRe reaction;
    TFConfigWorkWeRe notification;
    const bool ok =
        Shoot(folder, "reaction-input", [&] { return OpenInputOutputReaction(reaction, record, "BB_ConfigNumerWe2Re1"); })
        && Shoot(folder, "reaction-hijack",
                 [&] { return OpenSpecialOutputReaction(reaction, record, "BB_ConfigNumerSpecWe3Re1"); })
        && Shoot(folder, "reaction-arm-disarm",
                 [&] { return OpenSpecialOutputReaction(reaction, record, "BB_ConfigNumerSpecWe5Re2"); })
        && Shoot(folder, "notification-input",
                 [&] { return OpenInputNotification(notification, record, "BBConfigWorkWe2Re1", users); })
        && Shoot(folder, "notification-hijack",
                 [&] { return OpenSpecialNotification(notification, record, "BBConfigWorkSpecWe3Re1", "TabSheet4", users); })
        && Shoot(folder, "notification-arm-disarm",
                 [&] { return OpenSpecialNotification(notification, record, "BBConfigWorkSpecWe5Re2", "TabSheet4", users); })
        && Shoot(folder, "notification-output",
                 [&] { return OpenSpecialNotification(notification, record, "BBConfigWorkSpecWe1Re1", "GroupBox11", users); });
    return ok ? 0 : 1;
}
