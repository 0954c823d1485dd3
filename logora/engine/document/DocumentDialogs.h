#pragma once
// The questions a document asks the user while converting, outside
// command-line mode. The viewer hands its dialogs over in the engine context;
// without them (and always in command-line mode) nothing is asked.

#include <string>

namespace logora {

class DocumentDialogs
{
public:
    virtual ~DocumentDialogs() = default;
    // The destination time zone dialog preset with `index` (-1 = local time).
    // True with the chosen index when closed with OK.
    virtual bool ChooseTimeZone(int& index) = 0;
    // The alarm setup selection preset with the alarm log path. However it
    // is closed, `setupPath` and `version` receive what it holds; the working
    // directory is left where it was.
    virtual void SelectAlarmSetup(const std::string& alarmLogPath, std::string& setupPath, int& version) = 0;
};

}  // namespace logora
