#pragma once

#include <QString>

namespace morvel {

class ModuleLink;

// The step of the run in progress that is waiting for the module, in the operator's words:
// "no reply to "*2*1"", "no reply to frame 12 of 27", "no closing reply after frame 27", "the
// module's memory stopped after 812 of 1701 bytes". Asked just before the time-out ends the
// run; empty when no run is in progress.
QString WaitingStep(const ModuleLink& link);

} // namespace morvel
