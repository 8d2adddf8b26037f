#pragma once

#include "model/record_offsets.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;

namespace morvel {

// Edits one notification byte: which of the four users the module informs by SMS and by a
// CLIP call. One row per user with an SMS and a CLIP box; user u owns bit 2(u-1) (SMS) and bit
// 2(u-1)+1 (CLIP). The boxes have no rules between them.
//
// The dialog is created once and reused; every opening (reaction_openers.h) sets the title,
// the CLIP column's visibility, the row labels, all ticks and all enabled states.
class TFConfigWorkWeRe : public QDialog {
    Q_OBJECT
public:
    static constexpr int kUserCount = record_offset::kUserCount;

    explicit TFConfigWorkWeRe(QWidget* parent = nullptr);

    // Ticks the eight boxes from the byte, bit 0 into user 1's SMS box up to bit 7.
    void LoadByte(std::uint8_t notification);
    // The OR of the ticked boxes' bits, hidden and disabled ones included; nothing ticked is 0.
    std::uint8_t ByteToStore() const;

    // Captions user 1-4's row. A user without a phone number cannot be chosen: both boxes are
    // greyed and unticked; with a number both are enabled and keep their ticks.
    void SetUserRow(int user, const QString& caption, bool hasNumber);
    // Shows or hides the "CLIP" header and the four CLIP boxes; hidden boxes keep their ticks.
    void SetClipColumnVisible(bool visible);

    QLabel& Label5() const { return *label5_; }     // "SMS"
    QLabel& Label6() const { return *label6_; }     // "CLIP"
    QPushButton& BitBtn1() const { return *bitBtn1_; } // OK
    QPushButton& BitBtn2() const { return *bitBtn2_; } // Cancel

    void setVisible(bool visible) override;

private:
    struct UserRow {
        QLabel* label;
        QCheckBox* sms;
        QCheckBox* clip;
    };

    QLabel* label5_;
    QLabel* label6_;
    std::array<UserRow, kUserCount> rows_;
    QPushButton* bitBtn1_;
    QPushButton* bitBtn2_;
};

} // namespace morvel
