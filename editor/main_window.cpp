#include "editor/main_window.h"

#include "dialogs/notification_dialog.h"
#include "dialogs/output_reaction_dialog.h"
#include "dialogs/reaction_openers.h"
#include "editor/about_box.h"
#include "editor/binding.h"
#include "editor/entry_rules.h"
#include "editor/interlocks.h"
#include "editor/menu_keys.h"
#include "editor/message_boxes.h"
#include "editor/module_verification.h"
#include "editor/page_builder.h"
#include "editor/pages.h"
#include "editor/required_control.h"
#include "editor/settings_file_dialogs.h"
#include "editor/window_texts.h"
#include "link/info_list.h"
#include "link/run_timer.h"
#include "model/defaults.h"
#include "model/settings_file.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>
#include <filesystem>

namespace morvel {

namespace {

const char* const kWindowCaption = "Morvel Loader v 1.1 ENG";
// Caption of the box that shows a failed action's error, as the program's general error
// handler does.
const char* const kErrorCaption = "Morvel Loader";

// Sizes of the window's frame in pixels.
constexpr int kWindowWidth = 751;
constexpr int kWindowHeight = 686;
constexpr int kTopStripHeight = 49;
constexpr int kPagesHeight = 440;
constexpr int kStatusBarHeight = 19;
constexpr int kPortBoxWidth = 145;
constexpr int kRunButtonWidth = 105;
constexpr int kRunButtonHeight = 33;

constexpr int kUserCount = 4;

std::filesystem::path ToPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

QString FromBytes(const std::string& utf8) { return QString::fromStdString(utf8); }

// A page inside a borderless scroll area: under larger desktop fonts the page scrolls rather
// than pushing the window beyond its size. The page keeps its own name and stays the parent
// of its controls.
QWidget* Scrollable(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

// The height a list needs to show `lines` lines without scrolling, measured on a row of its own.
int InfoListHeight(QListWidget& list, int lines)
{
    list.addItem(QString());
    const int row = list.sizeHintForRow(0);
    delete list.takeItem(0);
    return row * lines + 2 * list.frameWidth();
}

} // namespace

TGlownaF::TGlownaF(SettingsModel& model, WindowServices services, QWidget* parent)
    : QMainWindow(parent), model_(model), services_(std::move(services))
{
    setObjectName(QStringLiteral("GlownaF"));
    setWindowTitle(Caption(kWindowCaption));
    BuildShell();
    BuildMenu();
    ConnectRunControls();
    ConnectReactionButtons();
    ConnectInterlocks(*this);
    InstallEntryRules(*this, services_.boxes);
    FormCreate();
    BuildToolsMenu();
    // Once every menu stands in the bar, so that each gets its keys.
    InstallMenuKeys(*this);

    resize(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TGlownaF::~TGlownaF()
{
    if (busy_)
        QGuiApplication::restoreOverrideCursor();
    services_.port.SetListener(nullptr);
}

void TGlownaF::BuildShell()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);

    // The strip at the top: the port and the two runs.
    auto* strip = new QWidget(central);
    strip->setObjectName(QStringLiteral("PageControl1"));
    strip->setFixedHeight(kTopStripHeight);
    cbCom_ = new QComboBox(strip);
    cbCom_->setObjectName(QStringLiteral("CBcom"));
    cbCom_->setEditable(true);
    cbCom_->setInsertPolicy(QComboBox::NoInsert);
    cbCom_->setFixedWidth(kPortBoxWidth);
    cbCom_->setEditText(QStringLiteral("CBcom"));
    bProgramuj_ = NewButton(strip, "Bprogramuj", Caption("Program settings"));
    bbLoad_ = NewButton(strip, "BBload", Caption("Read settings"));
    for (QPushButton* button : {bProgramuj_, bbLoad_})
        button->setMinimumSize(kRunButtonWidth, kRunButtonHeight);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(8, 4, 8, 4);
    stripLayout->addWidget(cbCom_);
    stripLayout->addWidget(bProgramuj_);
    stripLayout->addWidget(bbLoad_);
    stripLayout->addStretch();

    pageControl2_ = new QTabWidget(central);
    pageControl2_->setObjectName(QStringLiteral("PageControl2"));
    pageControl2_->setFixedHeight(kPagesHeight);
    pageControl2_->addTab(Scrollable(BuildBasicPage()), Caption("Basic"));
    pageControl2_->addTab(Scrollable(BuildNumbersPage()), Caption("Telephone numbers"));
    pageControl2_->addTab(BuildInputsPage(), Caption("Inputs"));  // scrolls within itself
    pageControl2_->addTab(Scrollable(BuildSpecialPage()), Caption("Special Inputs"));
    pageControl2_->addTab(Scrollable(BuildOutputsPage()), Caption("Outputs"));
    pageControl2_->setCurrentIndex(0);

    auto* information = NewGroupBox(central, "GroupBox1", Caption("Informations"));
    listBox1_ = new QListWidget(information);
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    // Every line the link keeps stays in view: the list is at least as tall as all of them.
    listBox1_->setMinimumHeight(InfoListHeight(*listBox1_, kInfoListMaxLines));
    auto* informationLayout = new QVBoxLayout(information);
    informationLayout->setContentsMargins(4, 2, 4, 4);
    informationLayout->addWidget(listBox1_);

    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(strip);
    column->addWidget(pageControl2_);
    column->addWidget(information, 1);  // the rest of the window

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setFixedHeight(kStatusBarHeight);

    timer1_ = new QtRunTimer(services_.replyTimeout, this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->SetTimeoutHandler([this] { Timer1Timer(); });
}

void TGlownaF::BuildMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    auto addItem = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(Caption(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* file = menuBar()->addMenu(Caption("File"));
    file->setObjectName(QStringLiteral("Plik1"));
    connect(addItem(file, "Odczytaj3", "Load ..."), &QAction::triggered, this, &TGlownaF::Button2Click);
    connect(addItem(file, "Zapiszjako2", "Save as ..."), &QAction::triggered, this, &TGlownaF::Button1Click);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    connect(addItem(file, "Wyjscie1", "Exit"), &QAction::triggered, this, &TGlownaF::Wyjscie1Click);

    QMenu* help = menuBar()->addMenu(Caption("Help"));
    help->setObjectName(QStringLiteral("Pomoc1"));
    connect(addItem(help, "Info", "About"), &QAction::triggered, this, &TGlownaF::InfoClick);
    QMenu* troubleshooting = help->addMenu(Caption("Troubleshooting Guide"));
    troubleshooting->setObjectName(QStringLiteral("Rozwiazywanieproblemw1"));
    troubleshooting->menuAction()->setObjectName(QStringLiteral("Rozwiazywanieproblemw1"));
    connect(addItem(troubleshooting, "Kotaktzdziaemtechnicznym1", "Contact with support"),
            &QAction::triggered, this, &TGlownaF::Kotaktzdziaemtechnicznym1Click);
}

// "Tools" between "File" and "Help"; it works with the link, so it comes after FormCreate.
void TGlownaF::BuildToolsMenu()
{
    verification_ = std::make_unique<ModuleVerification>(ModuleVerification::Context{
        *this, model_, *link_, *this, services_.files, [this] { return cbCom_->currentText(); },
        [this](const QString& name, const FileError& error) { ShowRefusedFile(name, error); }});
    verification_->InsertMenu(*menuBar(), RequireControl<QMenu>(*this, QStringLiteral("Pomoc1")).menuAction());
}

void TGlownaF::ConnectRunControls()
{
    connect(bProgramuj_, &QPushButton::clicked, this, &TGlownaF::BprogramujClick);
    connect(bbLoad_, &QPushButton::clicked, this, &TGlownaF::BBloadClick);
}

void TGlownaF::ConnectReactionButtons()
{
    // Four families share four handlers; each handler tells the buttons apart by name.
    struct Family {
        const char* prefix;
        void (TGlownaF::*handler)(const QPushButton&);
    };
    // Longest prefixes first: "BBConfigWorkWe" must not catch the "BBConfigWorkSpecWe" buttons.
    static constexpr Family kFamilies[] = {
        {"BB_ConfigNumerSpecWe", &TGlownaF::BB_ConfigNumerSpecWe1Re1Click},
        {"BBConfigWorkSpecWe", &TGlownaF::BBConfigWorkSpecWe1Re1Click},
        {"BB_ConfigNumerWe", &TGlownaF::BB_ConfigNumerWe1Re1Click},
        {"BBConfigWorkWe", &TGlownaF::BBConfigWorkWe1Re1Click},
    };
    for (QPushButton* button : pageControl2_->findChildren<QPushButton*>()) {
        for (const Family& family : kFamilies) {
            if (button->objectName().startsWith(QLatin1String(family.prefix))) {
                connect(button, &QPushButton::clicked, this,
                        [this, button, handler = family.handler] { (this->*handler)(*button); });
                break;
            }
        }
    }
}

// The creation handler: fills the combos, puts the defaults into the record and the controls,
// brings the output fields' enabled states in line, and makes the link ready. The port stays
// closed and the information list empty.
void TGlownaF::FormCreate()
{
    // 1. The port names, the first one selected.
    cbCom_->clear();
    cbCom_->clearEditText();  // without ports the box starts empty for a typed name
    cbCom_->addItems(services_.listPorts ? services_.listPorts() : QStringList{});
    if (cbCom_->count() > 0)
        cbCom_->setCurrentIndex(0);
    // 2. The SMS-centre presets and the preset's number.
    FillSmsCentres(RequireControl<QComboBox>(*this, QStringLiteral("CBcentrum")));
    CBcentrumChange(*this);
    // 3. and 7. The serial port comes with its line settings (link/serial_port.h).
    // 4. The defaults.
    ApplyDefaults(model_.record);
    // 5. and 6. The controls from the record and the notes, then the output options' fields.
    LoadRecordPass(*this, model_.record);
    LoadUserNotes(*this, model_.notes);
    RunOutputFlagRules(false);
    // 8. and 9. The link with its framer and its store of read bytes.
    link_ = std::make_unique<ModuleLink>(
        LinkEnvironment{*this, *this, *timer1_, services_.port, *this}, model_.record, model_.image);
    services_.port.SetListener(link_.get());
}

void TGlownaF::RunOutputFlagRules(bool withReportRule)
{
    ChBFlags_0Click(*this);
    ChBFlags_2Click(*this);
    ChBFlags_1Click(*this);
    ChBFlags_3Click(*this);
    if (withReportRule)
        ChBFlags_4Click(*this);
}

void TGlownaF::AttachDialogs(TFconfigNumberWeRe& outputReaction, TFConfigWorkWeRe& notification,
                             TAboutBox& about)
{
    outputReaction_ = &outputReaction;
    notification_ = &notification;
    about_ = &about;
}

// Errors that end an action are shown in a box with their text, and the window carries on.
template <typename Action>
void TGlownaF::ShowingErrors(Action action)
{
    try {
        action();
    } catch (const std::exception& error) {
        services_.boxes.Show(this, Caption(kErrorCaption), FromBytes(error.what()));
    }
}

void TGlownaF::BprogramujClick()
{
    ShowingErrors([this] { link_->StartProgramming(cbCom_->currentText()); });
}

void TGlownaF::BBloadClick()
{
    ShowingErrors([this] { link_->StartReading(cbCom_->currentText()); });
}

void TGlownaF::Timer1Timer()
{
    link_->Timer1Timer();
}

void TGlownaF::Button1Click()
{
    const std::optional<QString> name = services_.files.ChooseFileToSave(this, openDialogFileName_);
    if (!name)
        return;
    ShowingErrors([&] {
        StoreRecordPass(*this, model_.record);
        StoreUserNotes(*this, model_.notes);
        if (const auto error = WriteSettingsFile(model_.record, model_.notes, ToPath(*name)))
            ShowFileError(*error);
    });
}

void TGlownaF::Button2Click()
{
    const std::optional<QString> name = services_.files.ChooseFileToLoad(this);
    if (!name)
        return;
    openDialogFileName_ = *name;
    ShowingErrors([&] {
        // All or nothing: a refused file leaves the record, the notes and the controls as they were.
        if (const auto error = ReadSettingsFile(ToPath(*name), model_.record, model_.notes)) {
            ShowRefusedFile(*name, *error);
            return;
        }
        LoadRecordPass(*this, model_.record);
        LoadUserNotes(*this, model_.notes);
        RunOutputFlagRules(true);
    });
}

void TGlownaF::ShowFileError(const FileError& error)
{
    services_.boxes.Show(this, Caption(kErrorCaption), FromBytes(error.message), FromBytes(error.detail));
}

// A file that could not be loaded: the message and its reason, then which file it was and that
// the controls still hold what they held.
void TGlownaF::ShowRefusedFile(const QString& name, const FileError& error)
{
    QStringList detail;
    if (!error.detail.empty())
        detail << FromBytes(error.detail);
    detail << Caption(window_text::kRefusedFile).arg(QFileInfo(name).absoluteFilePath())
           << Caption(window_text::kPreviousSettingsKept);
    services_.boxes.Show(this, Caption(kErrorCaption), FromBytes(error.message), detail.join(u'\n'));
}

void TGlownaF::Wyjscie1Click()
{
    close();
}

void TGlownaF::InfoClick()
{
    if (about_)
        about_->exec();
}

void TGlownaF::Kotaktzdziaemtechnicznym1Click()
{
    OpenSupportMail();
}

namespace {

// The users' names and numbers as the fields show them now: the notification dialog labels its
// rows with them and greys users without a number.
UserFields CurrentUserFields(const QWidget& window)
{
    UserFields users;
    for (int u = 1; u <= kUserCount; ++u) {
        users[u - 1].name = RequireControl<QLineEdit>(window, QStringLiteral("Eosoba%1").arg(u)).text();
        users[u - 1].number = RequireControl<QLineEdit>(window, QStringLiteral("Enruser%1").arg(u)).text();
    }
    return users;
}

QString ContainerName(const QPushButton& button)
{
    return button.parentWidget() ? button.parentWidget()->objectName() : QString();
}

} // namespace

void TGlownaF::BB_ConfigNumerWe1Re1Click(const QPushButton& button)
{
    if (outputReaction_)
        ShowingErrors([&] { OpenInputOutputReaction(*outputReaction_, model_.record, button.objectName()); });
}

void TGlownaF::BB_ConfigNumerSpecWe1Re1Click(const QPushButton& button)
{
    if (outputReaction_)
        ShowingErrors([&] { OpenSpecialOutputReaction(*outputReaction_, model_.record, button.objectName()); });
}

void TGlownaF::BBConfigWorkWe1Re1Click(const QPushButton& button)
{
    if (notification_)
        ShowingErrors([&] {
            OpenInputNotification(*notification_, model_.record, button.objectName(), CurrentUserFields(*this));
        });
}

void TGlownaF::BBConfigWorkSpecWe1Re1Click(const QPushButton& button)
{
    if (notification_)
        ShowingErrors([&] {
            OpenSpecialNotification(*notification_, model_.record, button.objectName(), ContainerName(button),
                                    CurrentUserFields(*this));
        });
}

// --- the link's view of the window ----------------------------------------------------------

int TGlownaF::LineCount() const
{
    return listBox1_->count();
}

void TGlownaF::AddLine(const QString& text)
{
    listBox1_->addItem(text);
    // Should a large desktop font leave room for fewer lines than the list keeps, the newest,
    // which tells how the latest run went, stays in view.
    listBox1_->scrollToBottom();
}

void TGlownaF::RemoveFirstLine()
{
    delete listBox1_->takeItem(0);
}

void TGlownaF::ReplaceLine(int index, const QString& text)
{
    if (QListWidgetItem* item = listBox1_->item(index))
        item->setText(text);
}

void TGlownaF::SetProgramButtonEnabled(bool enabled)
{
    bProgramuj_->setEnabled(enabled);
}

void TGlownaF::SetReadButtonEnabled(bool enabled)
{
    bbLoad_->setEnabled(enabled);
}

void TGlownaF::SetBusyCursor(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool TGlownaF::UserNumbersPass()
{
    return CheckUserNumbers(*this);
}

void TGlownaF::StoreControls()
{
    StoreRecordPass(*this, model_.record);
}

// After a module read: the record into the controls; the names and notes stay as they are.
void TGlownaF::LoadControls()
{
    LoadRecordPass(*this, model_.record);
    RunOutputFlagRules(false);
}

void TGlownaF::ShowError(const QString& text)
{
    services_.boxes.Show(this, Caption(kErrorCaption), text);
}

void TGlownaF::RunEnded(RunEnd end, const QString& text)
{
    if (verification_)
        verification_->OnRunEnded(end, text);
}

} // namespace morvel
