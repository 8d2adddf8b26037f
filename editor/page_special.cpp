#include "editor/field_limits.h"
#include "editor/page_builder.h"
#include "editor/page_metrics.h"
#include "editor/pages.h"
#include "widgets/limited_edit.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace morvel {

namespace {

enum Column { kRowLabel, kReactionButton, kNotifyButton, kSmsText };

struct SpecialEdge {
    int special;  // the number in the control names
    int edge;
    const char* rowLabel;  // shown on the edge-1 line only
    const char* reactionCaption;
};

// The Arm/Disarm input reads the other way round from the HIJACK input: its first edge is the
// disconnection.
constexpr std::array<SpecialEdge, 4> kEdges{{
    {3, 1, "HIJACK input", "Connecting to GND"},
    {3, 2, "HIJACK input", "Disconnecting from GND"},
    {5, 1, "Arm/Disarm input", "Disconnecting from GND"},
    {5, 2, "Arm/Disarm input", "Connecting to GND"},
}};

const char* const kSmsTextHeader = "SMS message text:";

// Special inputs 4 and 6 have no controls of their own; these hidden fields carry their texts
// from a load to the next store unchanged.
constexpr std::array<const char*, 4> kHiddenTexts{
    "ETSpecSMS_We4_Re1", "ETSpecSMS_We4_Re2", "ETSpecSMS_We6_Re1", "ETSpecSMS_We6_Re2"};

} // namespace

QWidget* BuildSpecialPage()
{
    // The reaction buttons are direct children of the page: the notification dialog tells
    // these inputs from the output confirmations by the name of the button's parent.
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(page_metric::kSpecialPageSideMargin, page_metric::kPageTopMargin,
                             page_metric::kSpecialPageSideMargin, page_metric::kPageTopMargin);
    grid->setVerticalSpacing(2);
    grid->addWidget(NewHeader(page, Caption("Reaction of outputs:")), 0, kReactionButton);
    grid->addWidget(NewHeader(page, Caption("Send information:")), 0, kNotifyButton);
    grid->addWidget(NewHeader(page, Caption(kSmsTextHeader)), 0, kSmsText);

    int row = 1;
    for (const SpecialEdge& edge : kEdges) {
        if (edge.special == 5 && edge.edge == 1)
            grid->addWidget(NewSeparator(page), row++, 0, 1, kSmsText + 1);
        const QByteArray s = QByteArray::number(edge.special);
        const QByteArray e = QByteArray::number(edge.edge);
        if (edge.edge == 1)
            grid->addWidget(NewLabel(page, Caption(edge.rowLabel)), row, kRowLabel);
        grid->addWidget(NewButton(page, ("BB_ConfigNumerSpecWe" + s + "Re" + e).constData(),
                                  Caption(edge.reactionCaption)),
                        row, kReactionButton);
        grid->addWidget(NewButton(page, ("BBConfigWorkSpecWe" + s + "Re" + e).constData(), Caption("SMS/CLIP")),
                        row, kNotifyButton);
        auto* text = NewEdit(page, ("ETSpecSMS_We" + s + "_Re" + e).constData(), field_limit::kSmsText);
        // No label of its own: the input, the edge and the column name it.
        NameField(*text, {Caption(edge.rowLabel), Caption(edge.reactionCaption), Caption(kSmsTextHeader)});
        grid->addWidget(text, row, kSmsText);
        ++row;
    }
    grid->setColumnStretch(kSmsText, 1);
    grid->setColumnMinimumWidth(kSmsText, page_metric::kSmsTextMinWidth);
    grid->setRowStretch(row, 1);

    for (const char* name : kHiddenTexts)
        NewEdit(page, name, LimitedEdit::kNoLimit)->hide();
    return page;
}

} // namespace morvel
