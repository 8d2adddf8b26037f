// Writes a PNG of each reaction dialog as the main window opens it, for an input, the HIJACK
// input, the Arm/Disarm input and an output confirmation, and of the open port drop-down, so
// that the look can be checked under a real X server:  xvfb-run -a morvel-dialog-screenshots FOLDER
// Each picture carries the dialog's title above it, since a bare X server draws no title bars.
#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "editor/about_box.h"
#include "editor/main_window.h"
#include "editor/message_boxes.h"
#include "editor/program_icon.h"
#include "editor/settings_file_dialogs.h"
#include "link/serial_port.h"
#include "model/settings_record.h"
#include "widgets/control_lookup.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

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

// Clicks the window's button; while its dialog shows, saves the picture and cancels.
bool Shoot(QWidget& window, const QString& button, const QDir& folder, const QString& name)
{
    auto* clicked = FindControl<QPushButton>(window, button);
    if (clicked == nullptr) {
        std::fprintf(stderr, "no button %s\n", qPrintable(button));
        return false;
    }
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
    clicked->click();
    return saved;
}

// A built-in port and two adapters, as the system describes them.
PortDescriptions SamplePorts()
{
    PortDescription builtIn;
    builtIn.name = QStringLiteral("ttyS0");
    PortDescription adapter;
    adapter.name = QStringLiteral("ttyUSB0");
    adapter.description = QStringLiteral("FT232R USB UART");
    adapter.manufacturer = QStringLiteral("FTDI");
    adapter.serialNumber = QStringLiteral("A50285BI");
    adapter.vendorId = 0x0403;
    adapter.productId = 0x6001;
    PortDescription second = adapter;
    second.name = QStringLiteral("ttyUSB1");
    second.serialNumber = QStringLiteral("A9K3LL2C");
    return {builtIn, adapter, second};
}

// The port drop-down lies in a window of its own: the picture is taken from the screen.
bool ShootPortDropDown(QWidget& window, const QDir& folder)
{
    auto* box = FindControl<QComboBox>(window, QStringLiteral("CBcom"));
    if (box == nullptr)
        return false;
    box->showPopup();
    QTest::qWait(300);
    const QRect area(window.geometry().topLeft(), QSize(window.width(), 160));
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    box->hidePopup();
    const QString path = folder.filePath(QStringLiteral("port-drop-down.png"));
    const bool saved = picture.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
    return saved;
}

void Type(QWidget& window, const QString& field, const QString& text)
{
    if (auto* edit = FindControl<QLineEdit>(window, field))
        edit->setText(text);
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
    QApplication::setWindowIcon(ProgramIcon());

    // The program's window and dialogs, built as at start-up, with a record set up for the shots.
    SettingsModel model;
    ModalMessageBoxes boxes;
    QtSettingsFileDialogs files;
    SerialModulePort port;
    TGlownaF window(model, WindowServices{boxes, files, port, SamplePorts, std::chrono::seconds(6)});
    TFconfigNumberWeRe outputReaction(&window);
    TFConfigWorkWeRe notification(&window);
    TAboutBox about(&window);
    window.AttachDialogs(outputReaction, notification, about);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);

    TSettingsRecord& record = model.record;
    record.bytes[43] = 0x1B;  // input 2, edge 1: enable and disable output 1, siren, delayed reaction
    record.bytes[77] = 0x0D;  // HIJACK, edge 1: enable output 1, immobiliser, delayed (hidden)
    record.bytes[82] = 0x81;  // Arm/Disarm, edge 2: inactive, exit-time bit (hidden)
    record.bytes[59] = 0x3B;  // input 2, edge 1: users 1-3
    record.bytes[93] = 0x0F;  // HIJACK, edge 1: users 1 and 2
    record.bytes[98] = 0x41;  // Arm/Disarm, edge 2: SMS to users 1 and 4
    record.bytes[89] = 0xAA;  // output 1 switched on: CLIP bits only, hidden
    Type(window, "Eosoba1", QStringLiteral("Jan Kowalski"));
    Type(window, "Enruser1", QStringLiteral("+48601000001"));
    Type(window, "Eosoba2", QStringLiteral("Łucja Żak-Wiśniewska"));
    Type(window, "Enruser2", QStringLiteral("+48601000002"));
    Type(window, "Enruser3", QStringLiteral("+48601000003"));
    Type(window, "Eosoba4", QStringLiteral("Grzegorz"));

    const std::pair<const char*, const char*> shots[] = {
        {"BB_ConfigNumerWe2Re1", "reaction-input"},
        {"BB_ConfigNumerSpecWe3Re1", "reaction-hijack"},
        {"BB_ConfigNumerSpecWe5Re2", "reaction-arm-disarm"},
        {"BBConfigWorkWe2Re1", "notification-input"},
        {"BBConfigWorkSpecWe3Re1", "notification-hijack"},
        {"BBConfigWorkSpecWe5Re2", "notification-arm-disarm"},
        {"BBConfigWorkSpecWe1Re1", "notification-output"},
    };
    for (const auto& [button, name] : shots) {
        if (!Shoot(window, QString::fromLatin1(button), folder, QString::fromLatin1(name)))
            return 1;
    }
    return ShootPortDropDown(window, folder) ? 0 : 1;
}
