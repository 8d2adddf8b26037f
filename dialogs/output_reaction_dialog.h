#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QPushButton;

namespace morvel {

// Edits one output-reaction byte: what the module does with its outputs on one edge of one
// input, or that the edge is inactive. One box per bit; the rules between the boxes keep the
// choice consistent:
// - "Inactive options" greys every other option and clears all but the delayed-reaction one;
// - of each output's "Enable"/"Disable" pair only one can be ticked, the other is greyed.
// The rules run on every change of a tick, also when LoadByte sets it, so what a load leaves
// ticked follows from the loaded bits in the order bit 7 down to bit 0 (0x18 keeps "Enable
// output 1" alone); the enabled states always follow from the ticks.
//
// The dialog is created once and reused; the openers (reaction_openers.h) set its title, the
// time boxes' captions and visibility and the byte at each opening.
class TFconfigNumberWeRe : public QDialog {
    Q_OBJECT
public:
    explicit TFconfigNumberWeRe(QWidget* parent = nullptr);

    // Ticks the eight boxes from the byte, bit 7 first, running the rules as ticks change.
    void LoadByte(std::uint8_t reaction);
    // The byte OK stores: 0x80 when "Inactive options" or nothing is ticked, otherwise the OR
    // of the ticked boxes' bits, hidden boxes included.
    std::uint8_t ByteToStore() const;

    QCheckBox& ChBNoActiv() const { return *chBNoActiv_; }       // bit 7
    QCheckBox& ChBOFFWY2iN() const { return *chBOFFWY2iN_; }     // bit 6
    QCheckBox& ChBonWy2In() const { return *chBonWy2In_; }       // bit 5
    QCheckBox& ChBOFFwy1In() const { return *chBOFFwy1In_; }     // bit 4
    QCheckBox& ChBONwy1IN() const { return *chBONwy1IN_; }       // bit 3
    QCheckBox& ChBTimeOFFWy2() const { return *chBTimeOFFWy2_; } // bit 2
    QCheckBox& ChBTimeOFFWy1() const { return *chBTimeOFFWy1_; } // bit 1
    QCheckBox& ChBTimeRaport() const { return *chBTimeRaport_; } // bit 0
    QPushButton& BitBtn1() const { return *bitBtn1_; }           // OK
    QPushButton& BitBtn2() const { return *bitBtn2_; }           // Cancel

    void setVisible(bool visible) override;

private:
    void ChBNoActivClick();
    void PairRule(QCheckBox& member, QCheckBox& partner);
    void RefreshEnabledStates();

    QCheckBox* chBNoActiv_;
    QCheckBox* chBONwy1IN_;
    QCheckBox* chBOFFwy1In_;
    QCheckBox* chBonWy2In_;
    QCheckBox* chBOFFWY2iN_;
    QCheckBox* chBTimeRaport_;
    QCheckBox* chBTimeOFFWy1_;
    QCheckBox* chBTimeOFFWy2_;
    QPushButton* bitBtn1_;
    QPushButton* bitBtn2_;
    // Set while the inactive rule clears boxes, so that the pair rules keep still meanwhile.
    bool FBusy = false;
};

} // namespace morvel
