#include "editor/program_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace morvel {

namespace {

// Sizes the icon is drawn at; the window manager and the about box pick the nearest.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 140};

const QColor kBackgroundTop(0x24, 0x5c, 0xa6);
const QColor kBackgroundBottom(0x12, 0x30, 0x5e);
const QColor kCarBody(0xf4, 0xf6, 0xfa);
const QColor kWheel(0x1b, 0x1f, 0x26);
const QColor kSignal(0xff, 0xb0, 0x20);

// A car under the signal waves of the module's GSM link, drawn on a unit square.
void DrawPicture(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, 1);
    background.setColorAt(0, kBackgroundTop);
    background.setColorAt(1, kBackgroundBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(0.02, 0.02, 0.96, 0.96), 0.18, 0.18);

    QPainterPath body;
    body.moveTo(0.12, 0.74);
    body.lineTo(0.12, 0.62);
    body.quadTo(0.13, 0.56, 0.22, 0.55);
    body.lineTo(0.32, 0.43);
    body.quadTo(0.35, 0.40, 0.40, 0.40);
    body.lineTo(0.62, 0.40);
    body.quadTo(0.66, 0.40, 0.69, 0.43);
    body.lineTo(0.78, 0.55);
    body.quadTo(0.88, 0.56, 0.88, 0.63);
    body.lineTo(0.88, 0.74);
    body.closeSubpath();
    painter.setBrush(kCarBody);
    painter.drawPath(body);

    // Windows: two panes cut out of the cabin.
    painter.setBrush(kBackgroundBottom);
    QPolygonF front({{0.52, 0.45}, {0.64, 0.45}, {0.71, 0.54}, {0.52, 0.54}});
    QPolygonF rear({{0.48, 0.45}, {0.37, 0.45}, {0.30, 0.54}, {0.48, 0.54}});
    painter.drawPolygon(front);
    painter.drawPolygon(rear);

    for (double x : {0.29, 0.71}) {
        painter.setBrush(kWheel);
        painter.drawEllipse(QPointF(x, 0.75), 0.085, 0.085);
        painter.setBrush(kCarBody);
        painter.drawEllipse(QPointF(x, 0.75), 0.035, 0.035);
    }

    QPen wave(kSignal, 0.04, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(0.5, 0.36);
    for (double radius : {0.09, 0.17, 0.25}) {
        const QRectF around(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        painter.drawArc(around, 50 * 16, 80 * 16); // the upper quarter, in 1/16 degrees
    }
}

} // namespace

QPixmap ProgramPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.scale(size, size);
    DrawPicture(painter);
    return picture;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : kIconSizes)
        icon.addPixmap(ProgramPicture(size));
    return icon;
}

} // namespace morvel
