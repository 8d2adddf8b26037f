#include "dialogs/reaction_openers.h"

#include "dialogs/button_names.h"
#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "dialogs/reaction_texts.h"
#include "model/record_fields.h"
#include "model/record_offsets.h"

#include <QCheckBox>

#include <stdexcept>
#include <string>

namespace morvel {

namespace {

namespace ro = record_offset;

const QString kInputReactionPrefix = QStringLiteral("BB_ConfigNumerWe");
const QString kSpecialReactionPrefix = QStringLiteral("BB_ConfigNumerSpecWe");
const QString kInputNotificationPrefix = QStringLiteral("BBConfigWorkWe");
const QString kSpecialNotificationPrefix = QStringLiteral("BBConfigWorkSpecWe");

// Containers of the special notification buttons: the "Special Inputs" page and the group
// "Confirmation of outputs reactions" on the "Outputs" page.
const QString kSpecialInputsPage = QStringLiteral("TabSheet4");
const QString kOutputConfirmationGroup = QStringLiteral("GroupBox11");

// Shows the dialog modally and, on OK only, writes the dialog's byte into the record.
template <typename Dialog>
bool ShowAndStore(Dialog& dialog, std::uint8_t& byte)
{
    if (dialog.exec() != QDialog::Accepted)
        return false;
    byte = dialog.ByteToStore();
    return true;
}

void SetUpUserRows(TFConfigWorkWeRe& dialog, const UserFields& users, const QString& fallback)
{
    for (int user = 1; user <= TFConfigWorkWeRe::kUserCount; ++user) {
        const UserFieldTexts& fields = users[static_cast<std::size_t>(user - 1)];
        // Only a field with no character at all is empty; blanks count as typed.
        const QString caption = fields.name.isEmpty() ? fallback + QString::number(user) : fields.name;
        dialog.SetUserRow(user, caption, !fields.number.isEmpty());
    }
}

} // namespace

bool OpenInputOutputReaction(TFconfigNumberWeRe& dialog, TSettingsRecord& record, const QString& buttonName)
{
    const auto [input, edge] = ParseReactionButton(buttonName, kInputReactionPrefix, ro::kInputCount);
    std::uint8_t& byte = record.bytes[InputOutputReactionOffset(input, edge)];

    dialog.setWindowTitle(QStringLiteral("konfig wejscia %1 reakcji %2").arg(input).arg(edge));
    dialog.LoadByte(byte);
    dialog.ChBTimeRaport().setText(reaction_text::kDelayedReaction);
    dialog.ChBTimeOFFWy1().setText(reaction_text::kSiren);
    dialog.ChBTimeOFFWy2().setText(reaction_text::kImmobiliser);
    for (QCheckBox* box : {&dialog.ChBTimeRaport(), &dialog.ChBTimeOFFWy1(), &dialog.ChBTimeOFFWy2()})
        box->show();
    return ShowAndStore(dialog, byte);
}

bool OpenSpecialOutputReaction(TFconfigNumberWeRe& dialog, TSettingsRecord& record, const QString& buttonName)
{
    const auto [special, edge] = ParseReactionButton(buttonName, kSpecialReactionPrefix, ro::kSpecialCount);
    if (special != ro::kSpecialHijack && special != ro::kSpecialArmDisarm)
        throw std::invalid_argument("Special entry " + std::to_string(special) + " has no output reaction to edit");
    std::uint8_t& byte = record.bytes[SpecialOutputReactionOffset(special, edge)];

    dialog.ChBTimeOFFWy1().show();
    dialog.ChBTimeOFFWy2().show();
    if (special == ro::kSpecialArmDisarm) {
        dialog.setWindowTitle(QStringLiteral("wejście blokujące reakcja %1").arg(edge));
        // Bits 0-2 of the Arm/Disarm input are carried through unseen; bit 0 of edge 2 is the
        // main window's exit-time option.
        for (QCheckBox* box : {&dialog.ChBTimeRaport(), &dialog.ChBTimeOFFWy1(), &dialog.ChBTimeOFFWy2()})
            box->hide();
    } else {
        dialog.setWindowTitle(QStringLiteral("wejście sabotażowe reakcja %1").arg(edge));
        dialog.ChBTimeRaport().hide();
        dialog.ChBTimeOFFWy1().setText(reaction_text::kSiren);
        dialog.ChBTimeOFFWy2().setText(reaction_text::kImmobiliser);
    }
    dialog.LoadByte(byte);
    return ShowAndStore(dialog, byte);
}

bool OpenInputNotification(TFConfigWorkWeRe& dialog, TSettingsRecord& record, const QString& buttonName,
                           const UserFields& users)
{
    const auto [input, edge] = ParseReactionButton(buttonName, kInputNotificationPrefix, ro::kInputCount);
    std::uint8_t& byte = record.bytes[InputNotificationOffset(input, edge)];

    dialog.SetClipColumnVisible(true);
    dialog.LoadByte(byte);
    SetUpUserRows(dialog, users, reaction_text::kInputUserFallback);
    dialog.setWindowTitle(QStringLiteral("Reakcje Wejscie:%1 Reakcja:%2").arg(input).arg(edge));
    return ShowAndStore(dialog, byte);
}

bool OpenSpecialNotification(TFConfigWorkWeRe& dialog, TSettingsRecord& record, const QString& buttonName,
                             const QString& containerName, const UserFields& users)
{
    const auto [special, edge] = ParseReactionButton(buttonName, kSpecialNotificationPrefix, ro::kSpecialCount);
    QString title = QStringLiteral("Reakcja %1").arg(edge);
    bool clipOffered = true;
    if (containerName == kSpecialInputsPage && special == ro::kSpecialArmDisarm) {
        title += QStringLiteral(" Wejścia blokującego");
    } else if (containerName == kSpecialInputsPage && special == ro::kSpecialHijack) {
        title += QStringLiteral(" Wejścia sabotażowego");
    } else if (containerName == kOutputConfirmationGroup
               && (special == ro::kSpecialOutput1Confirmation || special == ro::kSpecialOutput2Confirmation)) {
        // Special entries 1 and 2 are outputs 1 and 2; their confirmations go by SMS only.
        title += QStringLiteral(" wyjścia %1").arg(special);
        clipOffered = false;
    } else {
        throw std::invalid_argument("No notification button " + buttonName.toStdString() + " in "
                                    + containerName.toStdString());
    }
    std::uint8_t& byte = record.bytes[SpecialNotificationOffset(special, edge)];

    dialog.SetClipColumnVisible(clipOffered);
    dialog.setWindowTitle(title);
    dialog.LoadByte(byte);
    SetUpUserRows(dialog, users, reaction_text::kSpecialUserFallback);
    return ShowAndStore(dialog, byte);
}

} // namespace morvel
