#include "widgets/two_lines.h"

#include <QFontMetrics>

namespace morvel {

QString OnTwoLines(const QString& caption, const QFontMetrics& metrics)
{
    qsizetype bestBreak = -1;
    int bestWidth = 0;
    for (qsizetype blank = caption.indexOf(u' '); blank >= 0; blank = caption.indexOf(u' ', blank + 1)) {
        const int width = qMax(metrics.horizontalAdvance(caption.left(blank)),
                               metrics.horizontalAdvance(caption.mid(blank + 1)));
        if (bestBreak < 0 || width < bestWidth) {
            bestBreak = blank;
            bestWidth = width;
        }
    }
    if (bestBreak < 0)
        return caption;
    return caption.left(bestBreak) + u'\n' + caption.mid(bestBreak + 1);
}

} // namespace morvel
