#include "editor/field_limits.h"
#include "editor/page_builder.h"
#include "editor/page_metrics.h"
#include "editor/pages.h"
#include "widgets/limited_edit.h"
#include "widgets/spin_edit.h"
#include "widgets/wheel_guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace morvel {

namespace {

// A spin edit with its unit label behind it, as one form row's field.
QWidget* WithUnit(QWidget* parent, QWidget* field, const char* unit)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(NewLabel(row, Caption(unit)));
    layout->addStretch();
    return row;
}

void BuildBasicGroup(QGroupBox& box)
{
    auto* form = Compact(new QFormLayout(&box));
    auto* pin = NewEdit(&box, "EPin", field_limit::kSimPin);
    pin->setMaximumWidth(page_metric::kFourCharacterFieldWidth);
    form->addRow(NewLabel(&box, Caption("SIM PIN Code")), pin);
    auto* centres = new QComboBox(&box);
    centres->setObjectName(QStringLiteral("CBcentrum"));
    centres->setEditable(true);
    centres->setInsertPolicy(QComboBox::NoInsert);
    WheelOnlyWhenFocused(*centres);  // a stray wheel would replace the SMS centre number
    form->addRow(NewLabel(&box, Caption("SMS center")), centres);
    auto* centreNumber = NewEdit(&box, "Ecsms", field_limit::kSmsCentre);
    centreNumber->setText(QStringLiteral("Ecsms"));
    form->addRow(NewLabel(&box, Caption("SMS center no.")), centreNumber);
}

void BuildSmsSettingsGroup(QGroupBox& box)
{
    auto* form = Compact(new QFormLayout(&box));
    auto* confirmation = NewSpinEdit(&box, "SEInNONCSTAT18", field_limit::kSmsConfirmTime);
    form->addRow(NewLabel(&box, Caption("Time of confirmation")), WithUnit(&box, confirmation, "[s]"));
    form->addRow(NewLabel(&box, Caption("Amount of tryies sending SMS")),
                 NewSpinEdit(&box, "SEInONstat916", field_limit::kSmsSendTries));
}

void BuildReportGroup(QGroupBox& box)
{
    auto* row = Compact(new QHBoxLayout(&box));
    row->addWidget(NewCheckBox(&box, "ChBFlags_4", Caption("Send report every")));
    row->addWidget(NewSpinEdit(&box, "SEtestokr", field_limit::kReportPeriod));
    row->addWidget(NewLabel(&box, Caption("[h]")));
    row->addStretch();
}

void BuildUnidentifiedSmsGroup(QGroupBox& box)
{
    auto* column = Compact(new QVBoxLayout(&box));
    column->addWidget(NewCheckBox(&box, "ChbClipVerif7", Caption("Send unidentified SMS to USER 1")));
}

void BuildSmsProgrammingGroup(QGroupBox& box)
{
    auto* form = Compact(new QFormLayout(&box));
    form->addRow(NewCheckBox(&box, "ChBFlags_5", Caption("Enable SMS programming")));
    auto* code = NewEdit(&box, "EPINMOD", field_limit::kSmsAccessCode);
    code->setMaximumWidth(page_metric::kFourCharacterFieldWidth);
    form->addRow(NewLabel(&box, Caption("SMS access code"), "Label28"), code);
}

// What a CLIP call does, one line per box; the lines of both families read alike except for
// one letter of the second line.
constexpr std::array<const char*, 7> kClipFromUserCaptions{
    "Enable Output 1",  "Enable Output 2",  "Disable Output 1",      "Disable Output 2",
    "Change the state for Output 1", "Change the state for Output 2", "Send REPORT to USER 1"};
constexpr std::array<const char*, 7> kClipFromUnknownCaptions{
    "Enable Output 1",  "Enable output 2",  "Disable Output 1",      "Disable Output 2",
    "Change the state for Output 1", "Change the state for Output 2", "Send REPORT to USER 1"};

QGroupBox* BuildClipFamily(QWidget& parent, const char* boxName, const char* caption,
                           const char* prefix, const std::array<const char*, 7>& captions)
{
    auto* box = NewGroupBox(&parent, boxName, Caption(caption));
    auto* column = Compact(new QVBoxLayout(box));
    column->setSpacing(1);
    column->setContentsMargins(4, 2, 2, 2);
    for (std::size_t line = 0; line < captions.size(); ++line) {
        const QByteArray name = QByteArray(prefix) + QByteArray::number(static_cast<int>(line));
        column->addWidget(NewCheckBox(box, name.constData(), Caption(captions[line])));
    }
    column->addStretch();
    return box;
}

void BuildClipGroup(QGroupBox& box)
{
    auto* layout = Compact(new QGridLayout(&box));
    layout->addWidget(NewLabel(&box, Caption("Reject after")), 0, 0);
    layout->addWidget(WithUnit(&box, NewSpinEdit(&box, "SEcallingTimer", field_limit::kClipRejectTime), "[s]"), 0, 1);
    layout->addWidget(NewLabel(&box, Caption("Call time")), 1, 0);
    layout->addWidget(WithUnit(&box, NewSpinEdit(&box, "SECALL_TIMER", field_limit::kCallTime), "[s]"), 1, 1);
    auto* fromUser = BuildClipFamily(box, "GroupBox8", "Clip from user", "ChbClipVerif",
                                     kClipFromUserCaptions);
    auto* fromUnknown = BuildClipFamily(box, "GroupBox9", "Clip from unknown user",
                                        "ChBClipNotVerif", kClipFromUnknownCaptions);
    // The eighth bit of the unknown callers' flags has no meaning on screen; the hidden box
    // carries it from a load to the next store.
    auto* hidden = NewCheckBox(fromUnknown, "ChBClipNotVerif7", Caption("ClipNotVerif7"));
    hidden->hide();
    layout->setHorizontalSpacing(2);
    layout->addWidget(fromUser, 2, 0, 1, 2);
    layout->addWidget(fromUnknown, 2, 2);
    layout->setColumnStretch(2, 1);
}

void BuildAdditionalGroup(QGroupBox& box)
{
    // Created in focus order (entry, exit, siren, the exit-time switch), placed as the operator
    // reads them: the switch at the left, the entry and exit times in the middle, the siren right.
    auto* entry = NewSpinEdit(&box, "SE1191", field_limit::kTimer);
    auto* exit = NewSpinEdit(&box, "SE1190", field_limit::kTimer);
    auto* siren = NewSpinEdit(&box, "SE1192", field_limit::kTimer);
    auto* exitTimeSwitch = NewCheckBox(&box, "CHB_funkcjaczaswy", Caption("Switch ON \"exit time\" function"));
    auto* layout = Compact(new QGridLayout(&box));
    layout->setVerticalSpacing(2);
    layout->addWidget(exitTimeSwitch, 0, 0, 2, 1);
    layout->addWidget(NewLabel(&box, Caption("time for entry")), 0, 1, Qt::AlignRight);
    layout->addWidget(entry, 0, 2);
    layout->addWidget(NewLabel(&box, Caption("time for exit")), 1, 1, Qt::AlignRight);
    layout->addWidget(exit, 1, 2);
    layout->addWidget(NewLabel(&box, Caption("time of siren alarm")), 0, 3, Qt::AlignRight);
    layout->addWidget(siren, 0, 4);
    layout->setColumnStretch(0, 1);
    layout->setColumnMinimumWidth(3, page_metric::kSirenCaptionWidth);
}

} // namespace

QWidget* BuildBasicPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    // Group boxes in focus order.
    auto* basic = NewGroupBox(page, "GroupBox2", Caption("Basic"));
    BuildBasicGroup(*basic);
    auto* smsSettings = NewGroupBox(page, "GroupBox7", Caption("SMS Settings"));
    BuildSmsSettingsGroup(*smsSettings);
    auto* report = NewGroupBox(page, "GroupBox10", Caption("Periodic REPORT for USER 1"));
    BuildReportGroup(*report);
    auto* unidentified = NewGroupBox(page, "GroupBox12", Caption("Unidentified SMS"));
    BuildUnidentifiedSmsGroup(*unidentified);
    auto* smsProgramming = NewGroupBox(page, "GroupBox6", Caption("SMS programming"));
    BuildSmsProgrammingGroup(*smsProgramming);
    auto* clip = NewGroupBox(page, "GroupBox3", Caption("CLIP settings"));
    BuildClipGroup(*clip);
    auto* additional = NewGroupBox(page, "GroupBox13", Caption("Additional"));
    BuildAdditionalGroup(*additional);

    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(basic, 0, 0);
    layout->addWidget(smsSettings, 1, 0);
    layout->addWidget(report, 2, 0);
    layout->addWidget(unidentified, 3, 0);
    layout->addWidget(smsProgramming, 0, 1);
    layout->addWidget(clip, 1, 1, 3, 1);
    layout->addWidget(additional, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(5, 1);
    return page;
}

} // namespace morvel
