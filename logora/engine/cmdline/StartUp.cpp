#include "logora/engine/cmdline/StartUp.h"

#include "logora/engine/run/RunState.h"

namespace logora {

StartAction ChooseStartAction(const CFileViewerCmdLineInfo& info)
{
    if (info.help) return StartAction::ShowHelp;
    if (info.fileParameters.size() >= 2) return StartAction::Batch;
    return StartAction::Window;
}

void ApplyToRunState(const CFileViewerCmdLineInfo& info, RunState& state)
{
    state.SetAlarmVersion(info.alarmVersion);
    state.SetAlarmSetupPath(info.alarmSetupPath);
    state.SetTimeZoneOffset(info.timeZoneOffsetMinutes);
}

}  // namespace logora
