#pragma once
// The parsed command line of the viewer: switches, file parameters and the
// values the command line gives to the run state (alarm log version, alarm
// setup file, destination time offset).

#include <cstdint>
#include <string>
#include <vector>

namespace logora {

class CFileViewerCmdLineInfo
{
public:
    // Parses the arguments after the program name, in order; those from
    // `namesFrom` on (the ones after "--") are file parameters whatever they
    // look like.
    void Parse(const std::vector<std::string>& args, size_t namesFrom = SIZE_MAX);

    // One argument; `isLast` triggers the checks made after the last one.
    void ParseParam(const std::string& arg, bool isLast);

    // Whether an argument is a switch: "-" always starts one; "/" starts one
    // when no other "/" follows, since a path to a file holds at least two.
    // So "/nologo" is an unknown switch, never an output in the root folder.
    static bool IsSwitchArgument(const std::string& arg);

    bool zarnDatalog = false;    // "SD"
    bool vellDatalog = false;    // "MD"
    bool alarmLog = false;       // "MA"
    bool dbase = false;          // "DBF"
    bool timeZoneGiven = false;  // "TZ"
    float timeZoneHours = 24.0f;
    bool help = false;       // "?"
    bool tableForm = false;  // "TABLE"
    std::vector<std::string> fileParameters;
    // One line per switch that has no effect, for standard error.
    std::vector<std::string> ignoredSwitchWarnings;

    // Values for the run state. 0 = no alarm log version; 1440 = no offset.
    int alarmVersion = 0;
    std::string alarmSetupPath;
    int timeZoneOffsetMinutes = 1440;

private:
    void ParseSwitch(const std::string& arg);
    void FinishAfterLastArgument();
};

}  // namespace logora
