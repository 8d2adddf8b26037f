#include "editor/field_limits.h"
#include "editor/page_builder.h"
#include "editor/page_metrics.h"
#include "editor/pages.h"
#include "widgets/limited_edit.h"
#include "widgets/spin_edit.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <array>

namespace morvel {

namespace {

constexpr int kInputCount = 8;
constexpr int kRowsPerBand = 3;  // edge 1, edge 2, separator

enum Column { kRowLabel, kReactionTime, kBlockTime, kReactionButton, kNotifyButton, kSmsText };

const char* const kReactionTimeHeader = "Time of reaction [ x 0,1s]";
const char* const kBlockTimeHeader = "Blocking the input after reaction [x 10s]";
const char* const kSmsTextHeader = "SMS message text:";

// Inputs 4, 6 and 8 switch to +12 V, the others to ground.
bool SwitchesToPlus(int input) { return input == 4 || input == 6 || input == 8; }

QString EdgeCaption(int input, int edge)
{
    const char* level = SwitchesToPlus(input) ? "+12V" : "GND";
    return Caption(edge == 1 ? "Connecting to %1" : "Disconnecting from %1").arg(Caption(level));
}

void AddHeader(QWidget* area, QGridLayout& grid)
{
    grid.addWidget(NewTwoLineHeader(area, Caption(kReactionTimeHeader)), 0, kReactionTime);
    grid.addWidget(NewTwoLineHeader(area, Caption(kBlockTimeHeader)), 0, kBlockTime);
    grid.addWidget(NewHeader(area, Caption("Reaction of outputs:")), 0, kReactionButton);
    grid.addWidget(NewHeader(area, Caption("Send information:")), 0, kNotifyButton);
    grid.addWidget(NewHeader(area, Caption(kSmsTextHeader)), 0, kSmsText);
}

// One band: the row label and the two time fields between the two edge lines. Created in
// focus order: the two times, then per edge its two buttons and its text. The fields have no
// label of their own: their row, edge and column name them.
void AddBand(QWidget* area, QGridLayout& grid, int input)
{
    const int top = 1 + (input - 1) * kRowsPerBand;
    const QByteArray n = QByteArray::number(input);
    const QString sign = SwitchesToPlus(input) ? QStringLiteral("+") : QStringLiteral("-");
    const QString rowCaption = Caption("Input %1 (%2)").arg(input).arg(sign);
    grid.addWidget(NewLabel(area, rowCaption), top, kRowLabel, 2, 1);
    auto* reactionTime = NewSpinEdit(area, ("SEtimerPod" + n).constData(), field_limit::kTimer);
    auto* blockTime = NewSpinEdit(area, ("SEtimerTorBuf" + n).constData(), field_limit::kTimer);
    NameField(*reactionTime, {rowCaption, Caption(kReactionTimeHeader)});
    NameField(*blockTime, {rowCaption, Caption(kBlockTimeHeader)});
    grid.addWidget(reactionTime, top, kReactionTime, 2, 1, Qt::AlignCenter);
    grid.addWidget(blockTime, top, kBlockTime, 2, 1, Qt::AlignCenter);
    for (int edge = 1; edge <= 2; ++edge) {
        const QByteArray e = QByteArray::number(edge);
        const int row = top + edge - 1;
        grid.addWidget(NewButton(area, ("BB_ConfigNumerWe" + n + "Re" + e).constData(), EdgeCaption(input, edge)),
                       row, kReactionButton);
        grid.addWidget(NewButton(area, ("BBConfigWorkWe" + n + "Re" + e).constData(), Caption("CLIP/SMS")),
                       row, kNotifyButton);
        auto* text = NewEdit(area, ("ETSMS_We" + n + "_Re" + e).constData(), field_limit::kSmsText);
        NameField(*text, {rowCaption, EdgeCaption(input, edge), Caption(kSmsTextHeader)});
        grid.addWidget(text, row, kSmsText);
    }
    if (input < kInputCount)
        grid.addWidget(NewSeparator(area), top + 2, 0, 1, kSmsText + 1);
}

} // namespace

QWidget* BuildInputsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);

    auto* area = new QWidget;
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    AddHeader(area, *grid);
    for (int input = 1; input <= kInputCount; ++input)
        AddBand(area, *grid, input);
    grid->setColumnMinimumWidth(kSmsText, page_metric::kInputsSmsTextMinWidth);
    grid->setColumnStretch(kSmsText, 1);
    grid->setRowStretch(grid->rowCount(), 1);
    scroll->setWidget(area);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return page;
}

} // namespace morvel
