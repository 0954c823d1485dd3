#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"

#include <cmath>
#include <cstdlib>
#include "common/text/AsciiCase.h"
#include "logora/engine/formats/PathExtension.h"

namespace logora {

namespace {

struct SwitchEntry
{
    const char* name;
    int alarmVersion;  // 0 for the switches that only set a flag
};

// In the order they are compared; the first match wins.
constexpr SwitchEntry kSwitches[] = {
    {"SD", 0}, {"MD", 0},  {"MA", 0},  {"DBF", 0}, {"TABLE", 0}, {"?", 0},
    {"CE", 1}, {"3xx", 2}, {"4xx", 3}, {"CE6", 5}, {"6xx", 6},
};

bool EqualNoCase(const std::string& a, const char* b)
{
    return common::EqualsIgnoringAsciiCase(a, b);
}

bool StartsWithTz(const std::string& name)
{
    return name.size() >= 2 && common::EqualsIgnoringAsciiCase(std::string_view(name).substr(0, 2), "tz");
}

// Hours after "TZ": the leading number of the text (as "%f" reads it), or
// 24.0 (no offset) when there is none or it is not a finite, sane value.
float HoursAfterTz(const std::string& rest, bool& hasNumber)
{
    const char* start = rest.c_str();
    char* end = nullptr;
    const float hours = std::strtof(start, &end);
    hasNumber = end != start && std::isfinite(hours) && std::fabs(hours) < 1.0e6f;
    return hasNumber ? hours : 24.0f;
}

}  // namespace

bool CFileViewerCmdLineInfo::IsSwitchArgument(const std::string& arg)
{
    // A lone dash names standard output, as in other programs.
    if (arg.empty() || arg == "-") return false;
    if (arg[0] == '-') return true;
    return arg[0] == '/' && arg.find('/', 1) == std::string::npos;
}

void CFileViewerCmdLineInfo::Parse(const std::vector<std::string>& args, size_t namesFrom)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const bool isLast = i + 1 == args.size();
        if (i < namesFrom) {
            ParseParam(args[i], isLast);
            continue;
        }
        fileParameters.push_back(args[i]);
        if (isLast) FinishAfterLastArgument();
    }
}

void CFileViewerCmdLineInfo::ParseParam(const std::string& arg, bool isLast)
{
    if (IsSwitchArgument(arg)) {
        ParseSwitch(arg);
    } else {
        fileParameters.push_back(arg);
    }
    if (isLast) FinishAfterLastArgument();
}

void CFileViewerCmdLineInfo::ParseSwitch(const std::string& arg)
{
    const std::string name = arg.substr(1);
    for (const auto& entry : kSwitches) {
        if (!EqualNoCase(name, entry.name)) continue;
        if (entry.alarmVersion != 0) {
            if (alarmLog) alarmVersion = entry.alarmVersion;
        } else if (EqualNoCase(name, "SD")) {
            zarnDatalog = true;
        } else if (EqualNoCase(name, "MD")) {
            vellDatalog = true;
        } else if (EqualNoCase(name, "MA")) {
            alarmLog = true;
        } else if (EqualNoCase(name, "DBF")) {
            dbase = true;
        } else if (EqualNoCase(name, "TABLE")) {
            tableForm = true;
        } else {
            help = true;
        }
        return;
    }
    if (StartsWithTz(name)) {
        bool hasNumber = false;
        timeZoneGiven = true;
        timeZoneHours = HoursAfterTz(name.substr(2), hasNumber);
        if (!hasNumber)
            ignoredSwitchWarnings.push_back("switch " + arg + " gives no number of hours; ignored");
        return;
    }
    ignoredSwitchWarnings.push_back("unknown switch " + arg + " ignored");
}

void CFileViewerCmdLineInfo::FinishAfterLastArgument()
{
    if (alarmLog && fileParameters.size() >= 2) {
        const std::string& second = fileParameters[1];
        alarmSetupPath = EqualNoCase(ExtensionOf(second), ".MAL") ? second : std::string();
    }
    if (timeZoneGiven) timeZoneOffsetMinutes = static_cast<int>(timeZoneHours * 60.0f);
}

}  // namespace logora
