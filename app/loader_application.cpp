#include "app/loader_application.h"

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
        QMessageBox::critical(nullptr, QStringLiteral("Morvel Loader"),
                              QStringLiteral("This system cannot convert texts to the Windows-1250 code page, "
                                             "in which the module and the settings files keep them."));
        return false;
    }
    return true;
}

} // namespace morvel
