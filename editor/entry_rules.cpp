#include "editor/entry_rules.h"

#include "editor/message_boxes.h"
#include "editor/required_control.h"
#include "widgets/bring_into_view.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <optional>
#include <utility>
#include <vector>

namespace morvel {

namespace {

// Characters as a key-press handler sees them.
constexpr QChar kNoKey = QChar(0);
constexpr QChar kBackspace = QChar(8);
constexpr QChar kTab = QChar(9);
constexpr QChar kEnter = QChar(13);
constexpr QChar kPasteControl = QChar(0x16); // what Ctrl+V types; Copy and Cut are refused alike
constexpr QChar kNoMarker = QChar(u'$'); // a sign marker that bars its own sign
constexpr QChar kPlus = QChar(u'+');
constexpr QChar kMinus = QChar(u'-');
constexpr QChar kSpace = QChar(u' ');
constexpr int kLastSignCaret = 1; // a sign may stand before the first or the second character

constexpr int kPinLength = 4;
constexpr int kCodeLength = 2;

const char* const kWarningCaption = "Uwaga";
const char* const kPinLengthMessage = "Kod pin musi mieć 4 znaki.";
const char* const kCodeLengthMessage = "Sms sterujący musi mieć formę dwóch znaków";

const char* const kUser1NumberName = "Enruser1";
const char* const kSimPinName = "EPin";
const char* const kSmsAccessCodeName = "EPINMOD";
const char* const kSmsCentresName = "CBcentrum";
const char* const kSmsCentreNumberName = "Ecsms";
const char* const kOutputCodeNames[] = {"EZalWy1", "EwylWy1", "EZalWy2", "EwylWy2"};

int CaretOf(const QLineEdit& field)
{
    return field.hasSelectedText() ? field.selectionStart() : field.cursorPosition();
}

// The character a key press types, as a key-press handler receives it; nothing for keys that
// type no character (arrows, Delete, Home), which the rules leave alone. The clipboard and other
// Ctrl shortcuts type control characters, so the filter refuses them.
std::optional<QChar> TypedCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Delete:
        // Deletes without typing, although X11 gives the key the text DEL (0x7F).
        return std::nullopt;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Tab moves the focus before it could type anything: passing through a field must
        // not act on it (the user-1 rule would clear a number that holds a blank).
        return std::nullopt;
    default:
        break;
    }
    if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut)
        || event.matches(QKeySequence::Copy))
        return kPasteControl;
    const bool control = (event.modifiers() & Qt::ControlModifier)
                         && !(event.modifiers() & Qt::AltModifier);
    if (control && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QChar(event.key() - Qt::Key_A + 1); // Ctrl+A is 1, Ctrl+Z is 26
    if (event.text().isEmpty())
        return std::nullopt;
    return event.text().at(0);
}

// A field's text and caret while a rule decides on one typed character.
struct Typing {
    QString text;
    int caret;
};

// Decides on one character typed into the field; may change the text first (Enruser1 clears a
// text that holds a blank). Returns the character or null, as FilterKey does.
using CharacterRule = QChar (*)(Typing&, QChar);

QChar User1NumberRule(Typing& typing, QChar key)
{
    // A number with a blank came from a file or the module; typing starts it afresh.
    if (!typing.text.isEmpty() && typing.text.contains(kSpace)) {
        typing.text.clear();
        typing.caret = 0;
    }
    return FilterKey(typing.text, typing.caret, key, kPlus, kMinus);
}

QChar PinRule(Typing& typing, QChar key)
{
    return FilterKey(typing.text, typing.caret, key, kNoMarker, kNoMarker);
}

// What an edit replaced: `removed` characters at `at` gave way to `inserted`.
struct Change {
    qsizetype at;
    qsizetype removed;
    QString inserted;
};

Change Difference(const QString& before, const QString& after)
{
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {prefix, before.size() - prefix - suffix, after.mid(prefix, after.size() - prefix - suffix)};
}

// The text an edit leaves when each character it put in is typed through the rule in turn.
Typing Retype(const QString& before, const QString& after, CharacterRule rule)
{
    const Change change = Difference(before, after);
    Typing typing{QString(before).remove(change.at, change.removed), static_cast<int>(change.at)};
    for (QChar character : change.inserted) {
        if (!rule(typing, character).isNull())
            typing.text.insert(typing.caret++, character);
    }
    return typing;
}

// Runs a character rule on the key presses of one field and eats the keys it discards. Text put
// in by other means (a paste from the context menu, a drop) passes the same rule afterwards, one
// character after the other, so a PIN never takes letters by the back door.
class KeyRuleFilter final : public QObject {
public:
    KeyRuleFilter(QLineEdit& field, QChar (*keyPress)(QLineEdit&, QChar), CharacterRule rule)
        : QObject(&field), field_(field), keyPress_(keyPress), rule_(rule), lastText_(field.text())
    {
        field.installEventFilter(this);
        // textEdited comes before textChanged, so lastText_ still holds the text before the edit.
        connect(&field, &QLineEdit::textEdited, this, &KeyRuleFilter::RecheckEdit);
        connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { lastText_ = text; });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &field_ || event->type() != QEvent::KeyPress)
            return false;
        const std::optional<QChar> typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
        if (!typed)
            return false;
        return keyPress_(field_, *typed).isNull();
    }

private:
    // Runs once the edit has finished, so that the field is not rewritten in the middle of it.
    void RecheckEdit(const QString& after)
    {
        QTimer::singleShot(0, this, [this, before = lastText_, after] {
            if (field_.text() != after)
                return;
            const Typing typing = Retype(before, after, rule_);
            if (typing.text != after) {
                field_.setText(typing.text);
                field_.setCursorPosition(typing.caret);
            }
        });
    }

    QLineEdit& field_;
    QChar (*keyPress_)(QLineEdit&, QChar);
    CharacterRule rule_;
    QString lastText_;
};

using ExitCheck = bool (*)(QLineEdit&, QWidget&, MessageBoxes&);

// Runs the exit checks of the window's fields when the focus moves from one control of the window
// to another. The check runs once that move has finished, so that the modal box does not open in
// the middle of a focus change. While a check puts the focus back, the control that had just got
// it is left without its own check: otherwise two wrong fields would send the focus back and forth.
class ExitChecks final : public QObject {
public:
    ExitChecks(QWidget& window, MessageBoxes& boxes)
        : QObject(&window), window_(window), boxes_(boxes) {}

    void Watch(QLineEdit& field, ExitCheck check)
    {
        checks_.emplace_back(&field, check);
        field.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusOut || returningFocus_)
            return false;
        if (!IsMoveWithinWindow(static_cast<QFocusEvent*>(event)->reason()))
            return false;
        for (auto& [field, check] : checks_) {
            if (field == watched) {
                QTimer::singleShot(0, field, [this, field = QPointer<QLineEdit>(field), check = check] {
                    if (field)
                        Run(*field, check);
                });
            }
        }
        return false;
    }

private:
    static bool IsMoveWithinWindow(Qt::FocusReason reason)
    {
        // Opening a menu or switching to another window (the message box among them) is no exit.
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
               && reason != Qt::MenuBarFocusReason;
    }

    void Run(QLineEdit& field, ExitCheck check)
    {
        returningFocus_ = true;
        check(field, window_, boxes_);
        returningFocus_ = false;
    }

    QWidget& window_;
    MessageBoxes& boxes_;
    std::vector<std::pair<QLineEdit*, ExitCheck>> checks_;
    bool returningFocus_ = false;
};

// The field may have been left for another page (a tab, a page switch): its own page comes back
// to the front, so that the operator sees the field the message is about and types into it.
bool WarnAndRefocus(QLineEdit& field, QWidget& window, MessageBoxes& boxes, const char* message)
{
    BringIntoView(field);
    boxes.Show(&window, QString::fromUtf8(kWarningCaption), QString::fromUtf8(message));
    field.setFocus(Qt::OtherFocusReason);
    return true;
}

// Moves the focus to the control after `field` in the window's focus order, as Tab does (the key
// rules let Tab pass untouched).
void FocusNextControl(QLineEdit& field)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(&field, &tab);
}

// Enter moves the focus on; any other key goes to the field's character rule.
QChar KeyPress(QLineEdit& field, QChar key, CharacterRule rule)
{
    if (key == kEnter) {
        FocusNextControl(field);
        return kNoKey;
    }
    Typing typing{field.text(), CaretOf(field)};
    const QChar result = rule(typing, key);
    if (typing.text != field.text())
        field.setText(typing.text);
    return result;
}

} // namespace

QChar FilterKey(const QString& text, int caret, QChar key, QChar plusMarker, QChar minusMarker)
{
    if (key == kBackspace || key == kTab || (key >= u'0' && key <= u'9'))
        return key;
    if (key != kPlus && key != kMinus)
        return kNoKey;
    if (text.contains(minusMarker) || text.contains(plusMarker))
        return kNoKey;
    if (caret > kLastSignCaret)
        return kNoKey;
    if (plusMarker == kNoMarker && key == kPlus)
        return kNoKey;
    if (minusMarker == kNoMarker && key == kMinus)
        return kNoKey;
    return key;
}

QChar Enruser1KeyPress(QLineEdit& field, QChar key)
{
    return KeyPress(field, key, &User1NumberRule);
}

QChar EPinKeyPress(QLineEdit& field, QChar key)
{
    return KeyPress(field, key, &PinRule);
}

bool EPinExit(QLineEdit& field, QWidget& window, MessageBoxes& boxes)
{
    const qsizetype length = field.text().size();
    if (length < 1 || length >= kPinLength)
        return false;
    return WarnAndRefocus(field, window, boxes, kPinLengthMessage);
}

bool EZalWy1Exit(QLineEdit& field, QWidget& window, MessageBoxes& boxes)
{
    if (field.text().size() != kCodeLength - 1)
        return false;
    return WarnAndRefocus(field, window, boxes, kCodeLengthMessage);
}

void FillSmsCentres(QComboBox& centres)
{
    for (const SmsCentrePreset& preset : kSmsCentrePresets)
        centres.addItem(QString::fromUtf8(preset.entry), QString::fromUtf8(preset.number));
    centres.addItem(QString::fromUtf8(kOwnSmsCentreEntry));
    centres.setCurrentIndex(0);
}

void CBcentrumChange(QWidget& window)
{
    const auto& centres = RequireControl<QComboBox>(window, kSmsCentresName);
    auto& number = RequireControl<QLineEdit>(window, kSmsCentreNumberName);
    // In an editable list the typed text may name no entry although an entry is still current.
    const int chosen = centres.isEditable() ? centres.findText(centres.currentText(), Qt::MatchExactly)
                                            : centres.currentIndex();
    if (chosen < 0)
        return;
    if (chosen == kOwnSmsCentreIndex)
        number.clear();
    else
        number.setText(centres.itemData(chosen).toString());
}

void InstallEntryRules(QWidget& window, MessageBoxes& boxes)
{
    new KeyRuleFilter(RequireControl<QLineEdit>(window, kUser1NumberName), &Enruser1KeyPress, &User1NumberRule);
    new KeyRuleFilter(RequireControl<QLineEdit>(window, kSimPinName), &EPinKeyPress, &PinRule);

    auto* exits = new ExitChecks(window, boxes);
    for (const char* name : {kSimPinName, kSmsAccessCodeName})
        exits->Watch(RequireControl<QLineEdit>(window, name), &EPinExit);
    for (const char* name : kOutputCodeNames)
        exits->Watch(RequireControl<QLineEdit>(window, name), &EZalWy1Exit);

    auto& centres = RequireControl<QComboBox>(window, kSmsCentresName);
    QObject::connect(&centres, &QComboBox::activated, &window, [&window] { CBcentrumChange(window); });
    if (QLineEdit* typed = centres.lineEdit())
        QObject::connect(typed, &QLineEdit::textEdited, &window, [&window] { CBcentrumChange(window); });
}

} // namespace morvel
