#include "editor/field_limits.h"
#include "editor/page_builder.h"
#include "editor/page_metrics.h"
#include "editor/pages.h"
#include "widgets/limited_edit.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvel {

namespace {

// The controls of one output's group differ only in their numbers.
struct OutputNames {
    int output;
    const char* smsFlag;
    const char* enableLabel;
    const char* enableCode;
    const char* disableLabel;
    const char* disableCode;
    const char* timeFlag;
    const char* timeLabel;
    const char* offTimer;
    const char* unitLabel;
};

constexpr OutputNames kOutput1{1, "ChBFlags_0", "Label43", "EZalWy1", "Label45", "EwylWy1",
                               "ChBFlags_2", "Label24", "SEWy_offTimer1", "Label47"};
constexpr OutputNames kOutput2{2, "ChBFlags_1", "Label44", "EZalWy2", "Label46", "EwylWy2",
                               "ChBFlags_3", "Label25", "SEWy_offTimer2", "Label48"};

QGroupBox* BuildOutputGroup(QWidget* page, const char* boxName, const char* caption, const OutputNames& n)
{
    auto* box = NewGroupBox(page, boxName, Caption(caption));
    const QString output = QString::number(n.output);
    auto* smsFlag = NewCheckBox(box, n.smsFlag, Caption("Enable/Disable output %1 by SMS").arg(output));
    auto* enableCode = NewEdit(box, n.enableCode, field_limit::kOutputCode);
    auto* disableCode = NewEdit(box, n.disableCode, field_limit::kOutputCode);
    auto* timeFlag = NewCheckBox(box, n.timeFlag, Caption("Auto Disable output %1 by time").arg(output));
    auto* offTimer = NewSpinEdit(box, n.offTimer, field_limit::kTimer);
    enableCode->setFixedWidth(page_metric::kTwoCharacterFieldWidth);
    disableCode->setFixedWidth(page_metric::kTwoCharacterFieldWidth);

    auto* enableLabel = NewLabel(box, Caption("Enable code"), n.enableLabel);
    auto* disableLabel = NewLabel(box, Caption("Disable code"), n.disableLabel);
    auto* timeLabel = NewLabel(box, Caption("Disable output %1 after time:").arg(output), n.timeLabel);
    auto* unitLabel = NewLabel(box, Caption("[s]"), n.unitLabel);
    LabelField(*enableLabel, *enableCode);
    LabelField(*disableLabel, *disableCode);
    LabelField(*timeLabel, *offTimer, unitLabel);

    auto* grid = Compact(new QGridLayout(box));
    grid->addWidget(smsFlag, 0, 0, 1, 3);
    grid->addWidget(enableLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(enableCode, 1, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(disableLabel, 2, 0, Qt::AlignRight);
    grid->addWidget(disableCode, 2, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(timeFlag, 3, 0, 1, 3);
    grid->addWidget(timeLabel, 4, 0, Qt::AlignRight);
    grid->addWidget(offTimer, 4, 1);
    grid->addWidget(unitLabel, 4, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    return box;
}

// The output confirmations: special entries 1 and 2. The buttons are direct children of the
// group box, whose name tells the notification dialog to offer SMS only.
QGroupBox* BuildConfirmationGroup(QWidget* page)
{
    auto* box = NewGroupBox(page, "GroupBox11", Caption("Confirmation of outputs reactions"));
    auto* grid = Compact(new QGridLayout(box));
    grid->setVerticalSpacing(2);
    const QString textHeader = Caption("SMS message text:");
    grid->addWidget(NewHeader(box, Caption("Send SMS if:")), 0, 1);
    grid->addWidget(NewHeader(box, textHeader), 0, 2);
    int row = 1;
    for (int output = 1; output <= 2; ++output) {
        const QByteArray s = QByteArray::number(output);
        const QString rowCaption = Caption("Output %1").arg(output);
        grid->addWidget(NewLabel(box, rowCaption), row, 0, 2, 1);
        for (int edge = 1; edge <= 2; ++edge) {
            const QByteArray e = QByteArray::number(edge);
            const QString buttonCaption = Caption(edge == 1 ? "Enabled" : "Disabled");
            grid->addWidget(NewButton(box, ("BBConfigWorkSpecWe" + s + "Re" + e).constData(), buttonCaption), row, 1);
            auto* text = NewEdit(box, ("ETSpecSMS_We" + s + "_Re" + e).constData(), field_limit::kSmsText);
            // No label of its own: the output, the button in front and the column name it.
            NameField(*text, {rowCaption, buttonCaption, textHeader});
            grid->addWidget(text, row, 2);
            ++row;
        }
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(2, page_metric::kSmsTextMinWidth);
    return box;
}

} // namespace

QWidget* BuildOutputsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet5"));
    auto* output1 = BuildOutputGroup(page, "GroupBox4", "Wyjście 1", kOutput1);
    auto* output2 = BuildOutputGroup(page, "GroupBox5", "Wyjście 2", kOutput2);
    auto* confirmations = BuildConfirmationGroup(page);

    auto* outputs = new QHBoxLayout;
    outputs->addWidget(output1);
    outputs->addWidget(output2);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(page_metric::kOutputsPageSideMargin, page_metric::kPageTopMargin,
                               page_metric::kOutputsPageSideMargin, page_metric::kPageTopMargin);
    column->addLayout(outputs);
    column->addWidget(confirmations);
    column->addStretch();
    return page;
}

} // namespace morvel
