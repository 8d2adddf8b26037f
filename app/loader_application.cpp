#include "app/loader_application.h"

#include "app/app_texts.h"

#include "editor/program_icon.h"
#include "link/port_descriptions.h"
#include "link/protocol.h"
#include "widgets/windows1250.h"

#include <QApplication>
#include <QMessageBox>

namespace morvel {

LoaderApplication::LoaderApplication()
    : window_(model_, WindowServices{boxes_, files_, port_, ListPortDescriptions, protocol::kReplyTimeout}),
      outputReaction_(&window_),
      notification_(&window_),
      about_(&window_)
{
    window_.AttachDialogs(outputReaction_, notification_, about_);
}

bool PrepareApplication()
{
    QApplication::setWindowIcon(ProgramIcon());
    if (!Windows1250Available()) {
        QMessageBox::critical(nullptr, QString::fromUtf8(app_texts::kErrorCaption),
                              QString::fromUtf8(app_texts::kNoWindows1250));
        return false;
    }
    return true;
}

} // namespace morvel
