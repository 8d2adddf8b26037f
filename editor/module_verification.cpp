#include "editor/module_verification.h"

#include "editor/binding.h"
#include "editor/settings_file_dialogs.h"
#include "editor/verification_dialog.h"
#include "editor/window_texts.h"
#include "fields/settings_comparison.h"
#include "link/info_list.h"
#include "link/protocol.h"
#include "model/image_codec.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace morvel {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString FailedCount(std::size_t count)
{
    return count == 1 ? Text(window_text::kVerificationFailedOne) : Text(window_text::kVerificationFailed).arg(count);
}

} // namespace

ModuleVerification::ModuleVerification(Context context)
    : context_(std::move(context))
    , report_(new VerificationDialog(&context_.window))
{
}

ModuleVerification::~ModuleVerification() = default;

void ModuleVerification::InsertMenu(QMenuBar& bar, QAction* before)
{
    auto* menu = new QMenu(Text(window_text::kToolsMenu), &bar);
    menu->setObjectName(QStringLiteral("ToolsMenu"));
    bar.insertMenu(before, menu);
    QAction* verify = menu->addAction(Text(window_text::kVerifyModule), this, &ModuleVerification::VerifyModule);
    verify->setObjectName(QStringLiteral("VerifyModule"));
    QAction* compare = menu->addAction(Text(window_text::kCompareWithFile), this, &ModuleVerification::CompareWithFile);
    compare->setObjectName(QStringLiteral("CompareWithFile"));
    verifyAfterProgramming_ = menu->addAction(Text(window_text::kVerifyAfterProgramming));
    verifyAfterProgramming_->setObjectName(QStringLiteral("VerifyAfterProgramming"));
    verifyAfterProgramming_->setCheckable(true);
    verifyAfterProgramming_->setChecked(false);
}

bool ModuleVerification::VerifyAfterProgramming() const
{
    return verifyAfterProgramming_ && verifyAfterProgramming_->isChecked();
}

void ModuleVerification::VerifyModule()
{
    // The settings as the controls show them, stored into a copy: the shared record keeps
    // whatever it holds until the operator programs or saves.
    TSettingsRecord shown = context_.model.record;
    StoreRecordPass(context_.window, shown);
    TEepromImage expected;
    EncodeImage(shown, expected);
    StartReadBack(expected, Waiting::EditorSettings);
}

void ModuleVerification::StartReadBack(const TEepromImage& expected, Waiting purpose)
{
    if (context_.link.runInProgress()) {
        context_.link.StartReadBack(context_.portName()); // refused by the link, with its line
        return;
    }
    expected_ = expected;
    waiting_ = purpose;
    Append(Text(window_text::kVerificationStarted));
    context_.link.StartReadBack(context_.portName());
}

void ModuleVerification::OnRunEnded(RunEnd end, const QString& text)
{
    if (waiting_ == Waiting::Nothing) {
        if (end == RunEnd::ProgrammingDone && VerifyAfterProgramming())
            StartReadBack(context_.link.programmedImage(), Waiting::ProgrammedSettings);
        return;
    }
    // A run refused while the read-back goes on is not the read-back's end.
    if (context_.link.readingBack())
        return;
    Conclude(end, text.trimmed());
}

// A read-back that timed out or failed is "could not verify", never "verified".
void ModuleVerification::Conclude(RunEnd end, const QString& failure)
{
    const bool afterProgramming = waiting_ == Waiting::ProgrammedSettings;
    waiting_ = Waiting::Nothing;
    const QString title = Text(window_text::kVerificationTitle);
    const QString editor = Text(window_text::kEditorColumn), module = Text(window_text::kModuleColumn);
    if (end != RunEnd::ReadBackDone) {
        AppendVerdict(Text(window_text::kVerificationImpossible).arg(failure));
        // A port that could not be opened has had its box already.
        if (end != RunEnd::Refused)
            report_->ShowReport(title, Text(window_text::kModuleUnreadable).arg(failure), {}, editor, module);
        return;
    }
    const auto differences =
        CompareImages(expected_, context_.link.readBackImage(), protocol::kProgrammedImageBytes);
    if (differences.empty()) {
        AppendVerdict(Text(afterProgramming ? window_text::kVerificationAfterProgrammingPassed : window_text::kVerificationPassed));
        report_->ShowReport(title, Text(afterProgramming ? window_text::kModuleAgreesAfterProgramming
                                                         : window_text::kModuleAgrees),
                            {}, editor, module);
        return;
    }
    AppendVerdict(FailedCount(differences.size()));
    report_->ShowReport(title, Text(window_text::kModuleDiffers), differences, editor, module);
}

void ModuleVerification::CompareWithFile()
{
    const std::optional<QString> name = context_.files.ChooseFileToLoad(&context_.window);
    if (!name)
        return;
    SettingsModel file;
    if (const auto error = ReadSettingsFile(QFile::encodeName(*name).toStdString(), file.record, file.notes)) {
        context_.showRefusedFile(*name, *error);
        return;
    }
    SettingsModel shown;
    shown.record = context_.model.record;
    shown.notes = context_.model.notes;
    StoreRecordPass(context_.window, shown.record);
    StoreUserNotes(context_.window, shown.notes);
    const auto differences =
        CompareSettings(shown.record, shown.notes, file.record, file.notes, ComparedBytes::Values);
    const QString fileName = QFileInfo(*name).fileName();
    report_->ShowReport(Text(window_text::kComparisonTitle),
                        Text(differences.empty() ? window_text::kFileAgrees : window_text::kFileDiffers).arg(fileName),
                        differences, Text(window_text::kEditorColumn), Text(window_text::kFileColumn));
}

void ModuleVerification::Append(const QString& line)
{
    AppendInfoLine(context_.infoList, line);
}

void ModuleVerification::AppendVerdict(const QString& line)
{
    Append(line);
    lastVerdict_ = Verdict{expected_, line};
}

std::optional<QString> ModuleVerification::VerdictFor(const TSettingsRecord& settings) const
{
    if (!lastVerdict_)
        return std::nullopt;
    TEepromImage image;
    EncodeImage(settings, image);
    // The bytes a programming run sends: the rest of an image may hold what a read left there.
    const auto end = image.bytes.begin() + std::ptrdiff_t(protocol::kProgrammedImageBytes);
    if (!std::equal(image.bytes.begin(), end, lastVerdict_->compared.bytes.begin()))
        return std::nullopt;
    return lastVerdict_->line;
}

} // namespace morvel
