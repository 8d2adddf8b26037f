#include "dialogs/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

namespace morvel {

QPushButton* NewOkButton(QDialog* dialog)
{
    auto* ok = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogOkButton),
                               QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

QPushButton* NewCancelButton(QDialog* dialog)
{
    auto* cancel = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogCancelButton),
                                   QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return cancel;
}

QHBoxLayout* CancelAndOkRow(QPushButton& cancel, QPushButton& ok)
{
    auto* row = new QHBoxLayout;
    row->addWidget(&cancel);
    row->addStretch();
    row->addWidget(&ok);
    return row;
}

} // namespace morvel
