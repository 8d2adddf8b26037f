// The hand-written SVG icon shows the same picture the program draws in code for its window,
// its about box and its PNG icons.
#include "editor/program_icon.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

QImage FromSvg(int size)
{
    QSvgRenderer renderer(QStringLiteral(MORVEL_SVG_ICON));
    EXPECT_TRUE(renderer.isValid()) << MORVEL_SVG_ICON;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int LargestChannelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

// Count of pixels at which the two pictures, drawn at 256 pixels and averaged down to 64 so that
// the renderers' different anti-aliasing evens out, differ by at least `threshold` in a channel.
int DifferentPixels(int threshold)
{
    constexpr int kDrawn = 256, kCompared = 64;
    const auto average = [](const QImage& image) {
        return image.scaled(kCompared, kCompared, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage svg = average(FromSvg(kDrawn));
    const QImage code = average(morvel::ProgramPicture(kDrawn).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied));
    int different = 0;
    for (int y = 0; y < kCompared; ++y) {
        for (int x = 0; x < kCompared; ++x) {
            if (LargestChannelDifference(svg.pixel(x, y), code.pixel(x, y)) >= threshold)
                ++different;
        }
    }
    return different;
}

TEST(ProgramIcon, SvgShowsThePictureDrawnInCode)
{
    // The renderers agree to within a few steps per channel. A colour off by a tenth, or a shape
    // moved by one unit of the 100-unit drawing, changes several to dozens of the 4096 pixels.
    const int different = DifferentPixels(24);
    EXPECT_LE(different, 2) << different << " of 4096 pixels differ";
}

} // namespace
