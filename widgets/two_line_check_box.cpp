#include "widgets/two_line_check_box.h"

#include "widgets/two_lines.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace morvel {

TwoLineCheckBox::TwoLineCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

QString TwoLineCheckBox::ShownCaption() const
{
    return OnTwoLines(text(), fontMetrics());
}

QStyleOptionButton TwoLineCheckBox::ShownOption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = ShownCaption();
    return option;
}

QSize TwoLineCheckBox::sizeHint() const
{
    const QStyleOptionButton option = ShownOption();
    const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, option.text);
    return style()->sizeFromContents(QStyle::CT_CheckBox, &option, textSize, this);
}

QSize TwoLineCheckBox::minimumSizeHint() const
{
    return sizeHint();
}

void TwoLineCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.drawControl(QStyle::CE_CheckBox, ShownOption());
}

// The whole caption, both lines, toggles the box, as on a one-line box.
bool TwoLineCheckBox::hitButton(const QPoint& position) const
{
    const QStyleOptionButton option = ShownOption();
    return style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, this).contains(position);
}

} // namespace morvel
