#include "rules_fixture.h"

#include "editor/entry_rules.h"
#include "editor/interlocks.h"
#include "widgets/limited_edit.h"
#include "widgets/notes_memo.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QTest>

namespace morvel::test {

namespace {

// Lays the controls out in columns so that all of them are visible and can take the focus.
class Builder {
public:
    explicit Builder(QWidget& window) : window_(window), grid_(new QGridLayout(&window)) {}

    template <typename Control, typename... Args>
    Control* Add(const QString& name, Args&&... args)
    {
        auto* control = new Control(std::forward<Args>(args)..., &window_);
        control->setObjectName(name);
        grid_->addWidget(control, count_ % kRows, count_ / kRows);
        ++count_;
        return control;
    }

    void Edit(const QString& name, int limit = LimitedEdit::kNoLimit) { Add<LimitedEdit>(name, limit); }
    void Spin(const QString& name, int minimum, int maximum) { Add<SpinEdit>(name, minimum, maximum); }
    void Box(const QString& name) { Add<QCheckBox>(name, name); }
    void Label(const QString& name) { Add<QLabel>(name, name); }

private:
    static constexpr int kRows = 20;
    QWidget& window_;
    QGridLayout* grid_;
    int count_ = 0;
};

} // namespace

ControlTree::ControlTree()
    : window_(std::make_unique<QWidget>())
{
    window_->setObjectName("GlownaF");
    Builder b(*window_);
    // "Basic"
    b.Edit("EPin", 4);
    auto* centres = b.Add<QComboBox>("CBcentrum");
    centres->setEditable(true);
    centres->setInsertPolicy(QComboBox::NoInsert);
    b.Edit("Ecsms", 15);
    b.Spin("SEInNONCSTAT18", 10, 255);
    b.Spin("SEInONstat916", 1, 10);
    b.Box("ChBFlags_4");
    b.Spin("SEtestokr", 1, 24);
    b.Box("ChbClipVerif7");
    b.Box("ChBFlags_5");
    b.Label("Label28");
    b.Edit("EPINMOD", 4);
    b.Spin("SEcallingTimer", 1, 240);
    b.Spin("SECALL_TIMER", 10, 255);
    for (int d = 0; d <= 6; ++d)
        b.Box(QStringLiteral("ChbClipVerif%1").arg(d));
    for (int d = 0; d <= 7; ++d)
        b.Box(QStringLiteral("ChBClipNotVerif%1").arg(d));
    b.Spin("SE1191", 1, 255);
    b.Spin("SE1190", 1, 255);
    b.Spin("SE1192", 1, 255);
    b.Box("CHB_funkcjaczaswy");
    // "Telephone numbers"
    for (int u = 1; u <= 4; ++u) {
        b.Edit(QStringLiteral("Enruser%1").arg(u), 12);
        b.Edit(QStringLiteral("Eosoba%1").arg(u), 30);
        b.Add<NotesMemo>(QStringLiteral("Muser%1").arg(u), 250);
    }
    // "Inputs"
    for (int n = 1; n <= 8; ++n) {
        b.Spin(QStringLiteral("SEtimerPod%1").arg(n), 1, 255);
        b.Spin(QStringLiteral("SEtimerTorBuf%1").arg(n), 1, 255);
        for (int e = 1; e <= 2; ++e)
            b.Edit(QStringLiteral("ETSMS_We%1_Re%2").arg(n).arg(e), 35);
    }
    // "Special Inputs" and "Outputs"; 4 and 6 are hidden in the window and carry no limit.
    for (int s = 1; s <= 6; ++s) {
        const bool hidden = s == 4 || s == 6;
        for (int e = 1; e <= 2; ++e)
            b.Edit(QStringLiteral("ETSpecSMS_We%1_Re%2").arg(s).arg(e), hidden ? LimitedEdit::kNoLimit : 35);
    }
    for (int k = 1; k <= 2; ++k) {
        b.Box(QStringLiteral("ChBFlags_%1").arg(k - 1));
        b.Label(QStringLiteral("Label%1").arg(42 + k));
        b.Edit(QStringLiteral("EZalWy%1").arg(k), 2);
        b.Label(QStringLiteral("Label%1").arg(44 + k));
        b.Edit(QStringLiteral("EwylWy%1").arg(k), 2);
        b.Box(QStringLiteral("ChBFlags_%1").arg(k + 1));
        b.Label(QStringLiteral("Label%1").arg(23 + k));
        b.Spin(QStringLiteral("SEWy_offTimer%1").arg(k), 1, 255);
        b.Label(QStringLiteral("Label%1").arg(46 + k));
    }
}

ControlTree::~ControlTree() = default;

void ControlTree::WireUp()
{
    FillSmsCentres(Get<QComboBox>("CBcentrum"));
    ConnectInterlocks(*window_);
    InstallEntryRules(*window_, boxes);
}

bool ControlTree::ShowActive()
{
    window_->show();
    window_->activateWindow();
    return QTest::qWaitForWindowActive(window_.get());
}

} // namespace morvel::test
