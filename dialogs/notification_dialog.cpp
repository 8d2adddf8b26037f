#include "dialogs/notification_dialog.h"

#include "dialogs/dialog_buttons.h"
#include "model/record_offsets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvel {

namespace {

// Usual size of the window; it grows for long names or large fonts.
constexpr QSize kUsualSize(251, 284);
constexpr int kLabelColumn = 0;
constexpr int kSmsColumn = 1;
constexpr int kClipColumn = 2;

using record_offset::NotifyClipBit;
using record_offset::NotifySmsBit;

QCheckBox* NewBox(QWidget* parent, const QString& name, const QString& accessibleName)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    box->setSizePolicy(policy);
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption = {})
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    // Row captions are names the operator typed: show them as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace

TFConfigWorkWeRe::TFConfigWorkWeRe(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FConfigWorkWeRe"));

    label5_ = NewLabel(this, QStringLiteral("Label5"), QStringLiteral("SMS"));
    label6_ = NewLabel(this, QStringLiteral("Label6"), QStringLiteral("CLIP"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(16);
    grid->addWidget(label5_, 0, kSmsColumn, Qt::AlignHCenter);
    grid->addWidget(label6_, 0, kClipColumn, Qt::AlignHCenter);
    for (int user = 1; user <= kUserCount; ++user) {
        const QString number = QString::number(user);
        UserRow& row = rows_[user - 1];
        row.label = NewLabel(this, QStringLiteral("Luser") + number);
        row.sms = NewBox(this, QStringLiteral("ChBUS%1SMS").arg(user), QStringLiteral("SMS %1").arg(user));
        row.clip = NewBox(this, QStringLiteral("ChBUS%1Clip").arg(user), QStringLiteral("CLIP %1").arg(user));
        grid->addWidget(row.label, user, kLabelColumn);
        grid->addWidget(row.sms, user, kSmsColumn, Qt::AlignHCenter);
        grid->addWidget(row.clip, user, kClipColumn, Qt::AlignHCenter);
    }
    grid->setColumnStretch(kLabelColumn, 1);

    bitBtn1_ = NewOkButton(this);
    bitBtn2_ = NewCancelButton(this);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(grid);
    whole->addStretch();
    whole->addLayout(CancelAndOkRow(*bitBtn2_, *bitBtn1_));

    QWidget* previous = nullptr;
    for (const UserRow& row : rows_) {
        for (QCheckBox* box : {row.sms, row.clip}) {
            if (previous)
                setTabOrder(previous, box);
            previous = box;
        }
    }
    setTabOrder(previous, bitBtn1_);
    setTabOrder(bitBtn1_, bitBtn2_);

    resize(sizeHint().expandedTo(kUsualSize));
}

void TFConfigWorkWeRe::LoadByte(std::uint8_t notification)
{
    for (int user = 1; user <= kUserCount; ++user) {
        rows_[user - 1].sms->setChecked(notification & NotifySmsBit(user));
        rows_[user - 1].clip->setChecked(notification & NotifyClipBit(user));
    }
}

std::uint8_t TFConfigWorkWeRe::ByteToStore() const
{
    std::uint8_t notification = 0;
    for (int user = 1; user <= kUserCount; ++user) {
        if (rows_[user - 1].sms->isChecked())
            notification |= NotifySmsBit(user);
        if (rows_[user - 1].clip->isChecked())
            notification |= NotifyClipBit(user);
    }
    return notification;
}

void TFConfigWorkWeRe::SetUserRow(int user, const QString& caption, bool hasNumber)
{
    const UserRow& row = rows_.at(static_cast<std::size_t>(user - 1));
    row.label->setText(caption);
    for (QCheckBox* box : {row.sms, row.clip}) {
        box->setEnabled(hasNumber);
        if (!hasNumber)
            box->setChecked(false);
    }
}

void TFConfigWorkWeRe::SetClipColumnVisible(bool visible)
{
    label6_->setVisible(visible);
    for (const UserRow& row : rows_)
        row.clip->setVisible(visible);
}

// Fits the window to what this opening shows, before it is centred over its parent: never smaller than the contents need, so no
// caption is cut, and back to the usual size when the contents shrink again.
void TFConfigWorkWeRe::setVisible(bool visible)
{
    if (visible) {
        layout()->activate(); // takes this opening's captions into the minimum size
        resize(sizeHint().expandedTo(kUsualSize));
    }
    QDialog::setVisible(visible);
}

} // namespace morvel
