#include "editor/field_limits.h"
#include "editor/page_builder.h"
#include "editor/page_metrics.h"
#include "editor/pages.h"
#include "widgets/limited_edit.h"
#include "widgets/notes_memo.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace morvel {

namespace {

constexpr int kUserCount = 4;

// One user's block: the number at the top left, the name under it, the notes to the right.
// Created in focus order: number, name, notes.
QWidget* BuildUserBlock(QWidget* page, int user)
{
    auto* block = new QWidget(page);
    const QByteArray u = QByteArray::number(user);
    auto* number = NewEdit(block, ("Enruser" + u).constData(), field_limit::kUserNumber);
    auto* name = NewEdit(block, ("Eosoba" + u).constData(), field_limit::kUserName);
    auto* notes = NewMemo(block, ("Muser" + u).constData(), field_limit::kUserNotesBytes);
    number->setFixedWidth(page_metric::kPhoneNumberWidth);
    name->setMinimumWidth(page_metric::kUserNameMinWidth);
    notes->setFixedHeight(page_metric::kNotesHeight);

    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(8, 4, 8, 4);
    auto* userLabel = NewLabel(block, Caption("User %1").arg(user));
    QFont bold = userLabel->font();
    bold.setBold(true);
    userLabel->setFont(bold);
    auto* numberLabel = NewLabel(block, Caption("number:"));
    auto* nameLabel = NewLabel(block, Caption("Name"));
    auto* notesLabel = NewLabel(block, Caption("Notes"));
    LabelField(*numberLabel, *number);
    LabelField(*nameLabel, *name);
    LabelField(*notesLabel, *notes);
    // "number:" alone would not say whose: the user's caption in front of it belongs to the name.
    NameField(*number, {userLabel->text(), numberLabel->text()});
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(numberLabel, 0, 1, Qt::AlignRight);
    grid->addWidget(number, 0, 2, Qt::AlignLeft);
    grid->addWidget(nameLabel, 1, 1, Qt::AlignRight);
    grid->addWidget(name, 1, 2);
    grid->addWidget(notesLabel, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(notes, 0, 4, 2, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(3, page_metric::kNotesCaptionWidth);
    return block;
}

} // namespace

QWidget* BuildNumbersPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    for (int user = 1; user <= kUserCount; ++user) {
        if (user > 1)
            column->addWidget(NewSeparator(page));
        column->addWidget(BuildUserBlock(page, user));
    }
    column->addStretch();
    return page;
}

} // namespace morvel
