#include "editor/page_builder.h"

#include "widgets/limited_edit.h"
#include "widgets/notes_memo.h"
#include "widgets/spin_edit.h"
#include "widgets/two_lines.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace morvel {

namespace {

template <typename Control>
Control* Named(Control* control, const char* name)
{
    if (name)
        control->setObjectName(QString::fromLatin1(name));
    return control;
}

// Between the captions of an accessible name: screen readers pause there.
const char* const kCaptionJoint = ", ";

} // namespace

LimitedEdit* NewEdit(QWidget* parent, const char* name, int limit)
{
    return Named(new LimitedEdit(limit, parent), name);
}

NotesMemo* NewMemo(QWidget* parent, const char* name, int byteLimit)
{
    auto* memo = Named(new NotesMemo(byteLimit, parent), name);
    memo->setTabChangesFocus(true);
    return memo;
}

SpinEdit* NewSpinEdit(QWidget* parent, const char* name, field_limit::Range range)
{
    auto* spin = Named(new SpinEdit(range.minimum, range.maximum, parent), name);
    spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);  // as wide as its digits
    return spin;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QCheckBox(caption, parent), name);
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* NewGroupBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = Named(new QGroupBox(caption, parent), name);
    // Without it a group inside another group is announced by the outer group's title.
    box->setAccessibleName(caption);
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name)
{
    return Named(new QLabel(caption, parent), name);
}

QLabel* NewHeader(QWidget* parent, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

QLabel* NewTwoLineHeader(QWidget* parent, const QString& caption)
{
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setText(OnTwoLines(caption, label->fontMetrics()));
    label->setAccessibleName(caption);
    return label;
}

void LabelField(QLabel& label, QWidget& field, const QLabel* unit)
{
    label.setBuddy(&field);
    // The toolkit looks for a field's buddy among its siblings only.
    if (label.parentWidget() != field.parentWidget())
        field.setAccessibleName(label.text());
    if (unit)
        field.setAccessibleDescription(unit->text());
}

void NameField(QWidget& field, const QStringList& captions)
{
    field.setAccessibleName(captions.join(QString::fromLatin1(kCaptionJoint)));
}

QFrame* NewSeparator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace morvel
