#include "editor/message_boxes.h"

#include <QMessageBox>

namespace morvel {

void ModalMessageBoxes::Show(QWidget* parent, const QString& caption, const QString& text,
                             const QString& detail)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

} // namespace morvel
