#include "dialogs/output_reaction_dialog.h"

#include "dialogs/dialog_buttons.h"
#include "dialogs/reaction_texts.h"
#include "model/record_offsets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvel {

namespace {

// Bits of the output-reaction byte, one per box.
using record_offset::kReactionInactive;
using record_offset::kReactionOutput2Off;
using record_offset::kReactionOutput2On;
using record_offset::kReactionOutput1Off;
using record_offset::kReactionOutput1On;
using record_offset::kReactionImmobiliser;
using record_offset::kReactionSiren;
using record_offset::kReactionDelayed;

// Usual size of the window; it grows where the desktop's font needs it.
constexpr QSize kUsualSize(375, 243);
// The output options sit a little to the right of "Inactive options", which governs them.
constexpr int kOutputIndent = 8;

QCheckBox* NewBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    // A hidden time box keeps its place, so the others do not move between openings.
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    box->setSizePolicy(policy);
    return box;
}

} // namespace

TFconfigNumberWeRe::TFconfigNumberWeRe(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FconfigNumberWeRe"));

    chBNoActiv_ = NewBox(this, "ChBNoActiv", QStringLiteral("Inactive options"));
    chBONwy1IN_ = NewBox(this, "ChBONwy1IN", QStringLiteral("Enable output 1"));
    chBOFFwy1In_ = NewBox(this, "ChBOFFwy1In", QStringLiteral("Disable output 1"));
    chBonWy2In_ = NewBox(this, "ChBonWy2In", QStringLiteral("Enable output 2"));
    chBOFFWY2iN_ = NewBox(this, "ChBOFFWY2iN", QStringLiteral("Disable output 2"));
    chBTimeRaport_ = NewBox(this, "ChBTimeRaport", reaction_text::kDelayedReaction);
    chBTimeOFFWy1_ = NewBox(this, "ChBTimeOFFWy1", reaction_text::kSiren);
    chBTimeOFFWy2_ = NewBox(this, "ChBTimeOFFWy2", reaction_text::kImmobiliser);
    bitBtn1_ = NewOkButton(this);
    bitBtn2_ = NewCancelButton(this);

    auto* outputs = new QVBoxLayout;
    outputs->setContentsMargins(kOutputIndent, 0, 0, 0);
    for (QCheckBox* box : {chBONwy1IN_, chBOFFwy1In_, chBonWy2In_, chBOFFWY2iN_})
        outputs->addWidget(box);

    auto* left = new QVBoxLayout;
    left->addWidget(chBNoActiv_);
    left->addSpacing(chBNoActiv_->sizeHint().height() / 2);
    left->addLayout(outputs);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addSpacing(chBNoActiv_->sizeHint().height());
    for (QCheckBox* box : {chBTimeRaport_, chBTimeOFFWy1_, chBTimeOFFWy2_})
        right->addWidget(box);
    right->addStretch();

    auto* options = new QHBoxLayout;
    options->addLayout(left);
    options->addSpacing(2 * kOutputIndent);
    options->addLayout(right);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(options, 1);
    whole->addLayout(CancelAndOkRow(*bitBtn2_, *bitBtn1_));

    setTabOrder(chBNoActiv_, chBTimeRaport_);
    setTabOrder(chBTimeRaport_, chBTimeOFFWy1_);
    setTabOrder(chBTimeOFFWy1_, chBTimeOFFWy2_);
    setTabOrder(chBTimeOFFWy2_, chBONwy1IN_);
    setTabOrder(chBONwy1IN_, chBOFFwy1In_);
    setTabOrder(chBOFFwy1In_, chBonWy2In_);
    setTabOrder(chBonWy2In_, chBOFFWY2iN_);
    setTabOrder(chBOFFWY2iN_, bitBtn1_);
    setTabOrder(bitBtn1_, bitBtn2_);

    resize(sizeHint().expandedTo(kUsualSize));

    // toggled fires exactly when a tick changes, whether the operator clicks or code sets it.
    connect(chBNoActiv_, &QCheckBox::toggled, this, [this] { ChBNoActivClick(); });
    const auto pair = [this](QCheckBox* member, QCheckBox* partner) {
        connect(member, &QCheckBox::toggled, this, [this, member, partner] { PairRule(*member, *partner); });
    };
    pair(chBONwy1IN_, chBOFFwy1In_);
    pair(chBOFFwy1In_, chBONwy1IN_);
    pair(chBonWy2In_, chBOFFWY2iN_);
    pair(chBOFFWY2iN_, chBonWy2In_);
}

void TFconfigNumberWeRe::LoadByte(std::uint8_t reaction)
{
    chBNoActiv_->setChecked(reaction & kReactionInactive);
    chBOFFWY2iN_->setChecked(reaction & kReactionOutput2Off);
    chBonWy2In_->setChecked(reaction & kReactionOutput2On);
    chBOFFwy1In_->setChecked(reaction & kReactionOutput1Off);
    chBONwy1IN_->setChecked(reaction & kReactionOutput1On);
    chBTimeOFFWy2_->setChecked(reaction & kReactionImmobiliser);
    chBTimeOFFWy1_->setChecked(reaction & kReactionSiren);
    chBTimeRaport_->setChecked(reaction & kReactionDelayed);
}

std::uint8_t TFconfigNumberWeRe::ByteToStore() const
{
    if (chBNoActiv_->isChecked())
        return kReactionInactive;
    const std::pair<const QCheckBox*, std::uint8_t> boxes[] = {
        {chBOFFWY2iN_, kReactionOutput2Off}, {chBonWy2In_, kReactionOutput2On},
        {chBOFFwy1In_, kReactionOutput1Off}, {chBONwy1IN_, kReactionOutput1On},
        {chBTimeOFFWy2_, kReactionImmobiliser}, {chBTimeOFFWy1_, kReactionSiren},
        {chBTimeRaport_, kReactionDelayed},
    };
    std::uint8_t reaction = 0;
    for (const auto& [box, bit] : boxes) {
        if (box->isChecked())
            reaction |= bit;
    }
    // An edge that does nothing is stored as inactive, never as 0.
    return reaction == 0 ? kReactionInactive : reaction;
}

// "Inactive options" greys every other option; ticking it clears them, except the delayed
// reaction, which keeps its tick. The pair rules keep still meanwhile (FBusy).
void TFconfigNumberWeRe::ChBNoActivClick()
{
    FBusy = true;
    if (chBNoActiv_->isChecked()) {
        for (QCheckBox* box : {chBONwy1IN_, chBOFFwy1In_, chBonWy2In_, chBOFFWY2iN_, chBTimeOFFWy1_, chBTimeOFFWy2_})
            box->setChecked(false);
    }
    FBusy = false;
    RefreshEnabledStates();
}

// Of an output's "Enable" and "Disable" only one can be chosen: ticking one clears the other.
void TFconfigNumberWeRe::PairRule(QCheckBox& member, QCheckBox& partner)
{
    if (FBusy)
        return;
    if (member.isChecked())
        partner.setChecked(false);
    RefreshEnabledStates();
}

// The enabled states follow from the ticks alone: with "Inactive options" ticked every other
// option is greyed; otherwise an output option is greyed while its partner is ticked. Deriving
// them from the ticks, rather than from the order in which ticks changed, keeps a byte that
// holds bit 7 together with both bits of a pair (0x98) from leaving an option clickable under
// "Inactive options", and keeps the partner of a ticked option greyed when "Inactive options"
// is unticked again.
void TFconfigNumberWeRe::RefreshEnabledStates()
{
    const bool active = !chBNoActiv_->isChecked();
    for (QCheckBox* box : {chBTimeRaport_, chBTimeOFFWy1_, chBTimeOFFWy2_})
        box->setEnabled(active);
    chBONwy1IN_->setEnabled(active && !chBOFFwy1In_->isChecked());
    chBOFFwy1In_->setEnabled(active && !chBONwy1IN_->isChecked());
    chBonWy2In_->setEnabled(active && !chBOFFWY2iN_->isChecked());
    chBOFFWY2iN_->setEnabled(active && !chBonWy2In_->isChecked());
}

// Fits the window to what this opening shows, before it is centred over its parent: never smaller than the contents need, so no
// caption is cut, and back to the usual size when the contents shrink again.
void TFconfigNumberWeRe::setVisible(bool visible)
{
    if (visible) {
        layout()->activate(); // takes this opening's captions into the minimum size
        resize(sizeHint().expandedTo(kUsualSize));
    }
    QDialog::setVisible(visible);
}

} // namespace morvel
