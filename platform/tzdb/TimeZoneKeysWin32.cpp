
#include <windows.h>

#include <cstring>

#include "platform/tzdb/TimeZoneKeys.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// The layout of a TZI value.
struct RegistryTimeZone
{
    LONG bias;
    LONG standardBias;
    LONG daylightBias;
    SYSTEMTIME standardDate;
    SYSTEMTIME daylightDate;
};
static_assert(sizeof(RegistryTimeZone) == 44);

YearlyTransition TransitionOf(const SYSTEMTIME& date)
{
    // Yearly dates use wDay as the week of the month, 5 for the last.
    return {date.wMonth,  date.wDay,    date.wDayOfWeek,   date.wHour,
            date.wMinute, date.wSecond, date.wMilliseconds};
}

class RegistryKey
{
public:
    explicit RegistryKey(const std::wstring& path)
    {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::vector<std::string> TimeZoneKeyNames(const std::string& root)
{
    RegistryKey zones(Widen(root));
    std::vector<std::string> names;
    if (zones.get() == nullptr) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(zones.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.push_back(Narrow(std::wstring_view(name, length)));
    }
    return names;
}

std::optional<ZoneRule> TimeZoneKeyRule(const std::string& root, const std::string& zone)
{
    RegistryKey key(Widen(root + "\\" + zone));
    if (key.get() == nullptr) return std::nullopt;
    RegistryTimeZone tzi{};
    DWORD size = sizeof tzi;
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), L"TZI", nullptr, &type, reinterpret_cast<BYTE*>(&tzi), &size) !=
            ERROR_SUCCESS ||
        type != REG_BINARY || size != sizeof tzi) {
        return std::nullopt;
    }
    ZoneRule rule;
    rule.name = zone;
    rule.biasMinutes = tzi.bias + tzi.standardBias;
    rule.daylightDeltaMinutes = tzi.daylightBias - tzi.standardBias;
    rule.hasDaylight = tzi.daylightDate.wMonth != 0 && tzi.standardDate.wMonth != 0;
    if (rule.hasDaylight) {
        rule.daylightStart = TransitionOf(tzi.daylightDate);
        rule.standardStart = TransitionOf(tzi.standardDate);
    }
    return rule;
}

}  // namespace platform
