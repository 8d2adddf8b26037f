#include "link/info_list.h"

namespace morvel {

void TrimInfoList(InfoList& list)
{
    if (list.LineCount() >= kInfoListMaxLines)
        list.RemoveFirstLine();
}

int AppendInfoLine(InfoList& list, const QString& text)
{
    TrimInfoList(list);
    list.AddLine(text);
    return list.LineCount() - 1;
}

void EnterBusy(RunControls& controls)
{
    controls.SetBusyCursor(true);
    controls.SetProgramButtonEnabled(false);
    controls.SetReadButtonEnabled(false);
}

void LeaveBusy(RunControls& controls)
{
    controls.SetProgramButtonEnabled(true);
    controls.SetReadButtonEnabled(true);
    controls.SetBusyCursor(false);
}

} // namespace morvel
