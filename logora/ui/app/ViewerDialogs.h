#pragma once
// The questions a document asks while opening, answered by the viewer's
// dialogs: the destination time zone and the alarm setup file.

#include "logora/engine/document/DocumentDialogs.h"

namespace logora::ui {

class ViewerDialogs : public DocumentDialogs
{
public:
    bool ChooseTimeZone(int& index) override;
    void SelectAlarmSetup(const std::string& alarmLogPath, std::string& setupPath, int& version) override;
};

}  // namespace logora::ui
