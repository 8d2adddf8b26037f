#include "editor/interlocks.h"

#include "editor/required_control.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>

#include <array>

namespace morvel {

namespace {

const char* const kClipFromUserPrefix = "ChbClipVerif";
const char* const kClipFromUnknownPrefix = "ChBClipNotVerif";

// A CLIP box and its two partners: the other actions on the same output (0/2/4 act on output 1,
// 1/3/5 on output 2).
struct ClipGroup {
    char own;
    char first;
    char second;
};
constexpr std::array<ClipGroup, 6> kClipGroups{{
    {'0', '2', '4'},
    {'1', '3', '5'},
    {'2', '0', '4'},
    {'3', '1', '5'},
    {'4', '0', '2'},
    {'5', '1', '3'},
}};

// An output option, the controls it enables and the fields emptied while it is off.
struct OutputFlag {
    const char* box;
    std::array<const char*, 4> governed; // nullptr ends a shorter list
    std::array<const char*, 2> emptied;
};
constexpr std::array<OutputFlag, 6> kOutputFlags{{
    {"ChBFlags_0", {"Label43", "Label45", "EZalWy1", "EwylWy1"}, {"EZalWy1", "EwylWy1"}},
    {"ChBFlags_1", {"Label44", "Label46", "EZalWy2", "EwylWy2"}, {"EZalWy2", "EwylWy2"}},
    {"ChBFlags_2", {"Label24", "SEWy_offTimer1", "Label47", nullptr}, {nullptr, nullptr}},
    {"ChBFlags_3", {"Label25", "SEWy_offTimer2", "Label48", nullptr}, {nullptr, nullptr}},
    {"ChBFlags_4", {"SEtestokr", nullptr, nullptr, nullptr}, {nullptr, nullptr}},
    {"ChBFlags_5", {"EPINMOD", "Label28", nullptr, nullptr}, {"EPINMOD", nullptr}},
}};

void ApplyOutputFlag(QWidget& window, const OutputFlag& flag)
{
    const bool on = RequireControl<QCheckBox>(window, flag.box).isChecked();
    for (const char* name : flag.governed) {
        if (!name)
            break;
        RequireControl<QWidget>(window, name).setEnabled(on);
    }
    if (on)
        return;
    for (const char* name : flag.emptied) {
        if (!name)
            break;
        RequireControl<QLineEdit>(window, name).clear();
    }
}

} // namespace

void ClipInterlock(QWidget& window, const QString& prefix, const QString& own, const QString& first,
                   const QString& second)
{
    for (const QString& partnerDigit : {first, second}) {
        const bool ownTicked = RequireControl<QCheckBox>(window, prefix + own).isChecked();
        auto& partner = RequireControl<QCheckBox>(window, prefix + partnerDigit);
        partner.setEnabled(!ownTicked);
        // A partner that changes state here runs its own interlock before the next partner.
        if (ownTicked)
            partner.setChecked(false);
    }
}

void ChBFlags_0Click(QWidget& window) { ApplyOutputFlag(window, kOutputFlags[0]); }
void ChBFlags_1Click(QWidget& window) { ApplyOutputFlag(window, kOutputFlags[1]); }
void ChBFlags_2Click(QWidget& window) { ApplyOutputFlag(window, kOutputFlags[2]); }
void ChBFlags_3Click(QWidget& window) { ApplyOutputFlag(window, kOutputFlags[3]); }
void ChBFlags_4Click(QWidget& window) { ApplyOutputFlag(window, kOutputFlags[4]); }
void ChBFlags_5Click(QWidget& window) { ApplyOutputFlag(window, kOutputFlags[5]); }

void ConnectInterlocks(QWidget& window)
{
    for (const char* prefix : {kClipFromUserPrefix, kClipFromUnknownPrefix}) {
        for (const ClipGroup& group : kClipGroups) {
            const QString family = QString::fromLatin1(prefix);
            auto& box = RequireControl<QCheckBox>(window, family + QChar::fromLatin1(group.own));
            QObject::connect(&box, &QAbstractButton::toggled, &window, [&window, family, group] {
                ClipInterlock(window, family, QString(QChar::fromLatin1(group.own)),
                              QString(QChar::fromLatin1(group.first)), QString(QChar::fromLatin1(group.second)));
            });
        }
    }
    for (const OutputFlag& flag : kOutputFlags) {
        auto& box = RequireControl<QCheckBox>(window, flag.box);
        QObject::connect(&box, &QAbstractButton::toggled, &window,
                         [&window, &flag] { ApplyOutputFlag(window, flag); });
    }
}

} // namespace morvel
