#include "editor/field_limits.h"
#include "editor/page_builder.h"
#include "editor/page_metrics.h"
#include "editor/pages.h"
#include "widgets/limited_edit.h"
#include "widgets/spin_edit.h"
#include "widgets/two_line_check_box.h"
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

// A spin edit with its unit label behind it, as one row's field; `caption`, in front of the
// row, names the field.
QHBoxLayout* WithUnit(QLabel& caption, QWidget* field, const char* unit)
{
    auto* unitLabel = NewLabel(field->parentWidget(), Caption(unit));
    LabelField(caption, *field, unitLabel);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    row->addWidget(unitLabel);
    row->addStretch();
    return row;
}

// A label in front of its field in a form.
void AddLabelledRow(QFormLayout& form, QGroupBox& box, const char* caption, QWidget* field, const char* name = nullptr)
{
    auto* label = NewLabel(&box, Caption(caption), name);
    LabelField(*label, *field);
    form.addRow(label, field);
}

void BuildBasicGroup(QGroupBox& box)
{
    auto* form = Compact(new QFormLayout(&box));
    auto* pin = NewEdit(&box, "EPin", field_limit::kSimPin);
    pin->setMaximumWidth(page_metric::kFourCharacterFieldWidth);
    AddLabelledRow(*form, box, "SIM PIN Code", pin);
    auto* centres = new QComboBox(&box);
    centres->setObjectName(QStringLiteral("CBcentrum"));
    centres->setEditable(true);
    centres->setInsertPolicy(QComboBox::NoInsert);
    WheelOnlyWhenFocused(*centres);  // a stray wheel would replace the SMS centre number
    AddLabelledRow(*form, box, "SMS center", centres);
    auto* centreNumber = NewEdit(&box, "Ecsms", field_limit::kSmsCentre);
    centreNumber->setText(QStringLiteral("Ecsms"));
    AddLabelledRow(*form, box, "SMS center no.", centreNumber);
}

void BuildSmsSettingsGroup(QGroupBox& box)
{
    auto* form = Compact(new QFormLayout(&box));
    auto* confirmation = NewSpinEdit(&box, "SEInNONCSTAT18", field_limit::kSmsConfirmTime);
    auto* confirmationLabel = NewLabel(&box, Caption("Time of confirmation"));
    form->addRow(confirmationLabel, WithUnit(*confirmationLabel, confirmation, "[s]"));
    AddLabelledRow(*form, box, "Amount of tryies sending SMS", NewSpinEdit(&box, "SEInONstat916", field_limit::kSmsSendTries));
}

void BuildReportGroup(QGroupBox& box)
{
    auto* row = Compact(new QHBoxLayout(&box));
    auto* sendReport = NewCheckBox(&box, "ChBFlags_4", Caption("Send report every"));
    auto* period = NewSpinEdit(&box, "SEtestokr", field_limit::kReportPeriod);
    auto* unit = NewLabel(&box, Caption("[h]"));
    // The box in front of the period is its caption.
    NameField(*period, {sendReport->text()});
    period->setAccessibleDescription(unit->text());
    row->addWidget(sendReport);
    row->addWidget(period);
    row->addWidget(unit);
    row->addStretch();
}

void BuildUnidentifiedSmsGroup(QGroupBox& box)
{
    auto* column = Compact(new QVBoxLayout(&box));
    auto* forward = new TwoLineCheckBox(Caption("Send unidentified SMS to USER 1"), &box);
    forward->setObjectName(QStringLiteral("ChbClipVerif7"));
    column->addWidget(forward);
}

void BuildSmsProgrammingGroup(QGroupBox& box)
{
    auto* form = Compact(new QFormLayout(&box));
    form->addRow(NewCheckBox(&box, "ChBFlags_5", Caption("Enable SMS programming")));
    auto* code = NewEdit(&box, "EPINMOD", field_limit::kSmsAccessCode);
    code->setMaximumWidth(page_metric::kFourCharacterFieldWidth);
    AddLabelledRow(*form, box, "SMS access code", code, "Label28");
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
    // The two times side by side on one line, the two families under them.
    auto* times = new QHBoxLayout;
    auto* rejectLabel = NewLabel(&box, Caption("Reject after"));
    times->addWidget(rejectLabel);
    times->addLayout(WithUnit(*rejectLabel, NewSpinEdit(&box, "SEcallingTimer", field_limit::kClipRejectTime), "[s]"));
    auto* callLabel = NewLabel(&box, Caption("Call time"));
    times->addWidget(callLabel);
    times->addLayout(WithUnit(*callLabel, NewSpinEdit(&box, "SECALL_TIMER", field_limit::kCallTime), "[s]"));
    times->addStretch();
    auto* fromUser = BuildClipFamily(box, "GroupBox8", "Clip from user", "ChbClipVerif",
                                     kClipFromUserCaptions);
    auto* fromUnknown = BuildClipFamily(box, "GroupBox9", "Clip from unknown user",
                                        "ChBClipNotVerif", kClipFromUnknownCaptions);
    // The eighth bit of the unknown callers' flags has no meaning on screen; the hidden box
    // carries it from a load to the next store.
    auto* hidden = NewCheckBox(fromUnknown, "ChBClipNotVerif7", Caption("ClipNotVerif7"));
    hidden->hide();
    auto* families = new QHBoxLayout;
    families->setSpacing(2);
    families->addWidget(fromUser);
    families->addWidget(fromUnknown, 1);

    auto* column = Compact(new QVBoxLayout(&box));
    column->addLayout(times);
    column->addLayout(families, 1);
}

void BuildAdditionalGroup(QGroupBox& box)
{
    // Created in focus order (entry, exit, siren, the exit-time switch), placed as the operator
    // reads them: the switch at the left, the entry and exit times in the middle, the siren right.
    auto* entry = NewSpinEdit(&box, "SE1191", field_limit::kTimer);
    auto* exit = NewSpinEdit(&box, "SE1190", field_limit::kTimer);
    auto* siren = NewSpinEdit(&box, "SE1192", field_limit::kTimer);
    auto* exitTimeSwitch = NewCheckBox(&box, "CHB_funkcjaczaswy", Caption("Switch ON \"exit time\" function"));
    auto* entryLabel = NewLabel(&box, Caption("time for entry"));
    auto* exitLabel = NewLabel(&box, Caption("time for exit"));
    auto* sirenLabel = NewLabel(&box, Caption("time of siren alarm"));
    LabelField(*entryLabel, *entry);
    LabelField(*exitLabel, *exit);
    LabelField(*sirenLabel, *siren);
    auto* layout = Compact(new QGridLayout(&box));
    layout->setVerticalSpacing(2);
    layout->addWidget(exitTimeSwitch, 0, 0, 2, 1);
    layout->addWidget(entryLabel, 0, 1, Qt::AlignRight);
    layout->addWidget(entry, 0, 2);
    layout->addWidget(exitLabel, 1, 1, Qt::AlignRight);
    layout->addWidget(exit, 1, 2);
    layout->addWidget(sirenLabel, 0, 3, Qt::AlignRight);
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

    // Two columns, each as tall as its groups need, over the full-width "Additional".
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    for (QGroupBox* group : {basic, smsSettings, report, unidentified})
        left->addWidget(group);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(smsProgramming);
    right->addWidget(clip, 1);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(4);
    columns->addLayout(left);
    columns->addLayout(right, 1);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addLayout(columns);
    layout->addWidget(additional);
    layout->addStretch();
    return page;
}

} // namespace morvel
