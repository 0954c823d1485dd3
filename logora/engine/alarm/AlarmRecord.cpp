#include "logora/engine/alarm/AlarmRecord.h"

namespace logora {

AlarmRecordLayout AlarmRecordLayout::ForVersion(int version)
{
    switch (version) {
        case alarmversion::kCeTerminal:
        case alarmversion::kWin32Release3:
            return {24, false};
        case alarmversion::kCe6Terminal:
        case alarmversion::kWin32Release6:
            return {30, true};
        default:
            return {kLargestSize, false};
    }
}

}  // namespace logora
