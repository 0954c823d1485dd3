#include <windows.h>

#include "platform/settings/UserProfile.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// HKEY_CURRENT_USER\Software\<company>\<application>, one subkey per section,
// as the profile functions of the Windows application framework keep them.
class RegistryProfile : public UserProfile
{
public:
    explicit RegistryProfile(std::string key) : key_(std::move(key)) {}

    bool Load() override { return true; }
    std::string Location() const override { return "HKEY_CURRENT_USER\\" + key_; }

    std::optional<int> GetInt(const std::string& section, const std::string& key) const override
    {
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), Widen(key).c_str(), RRF_RT_REG_DWORD,
                         nullptr, &value, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return int(value);
    }

    std::optional<std::string> GetString(const std::string& section, const std::string& key) const override
    {
        const std::wstring subkey = SectionKey(section);
        const std::wstring name = Widen(key);
        // The value may grow between asking its size and reading it.
        for (;;) {
            DWORD size = 0;
            if (RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                             &size) != ERROR_SUCCESS)
                return std::nullopt;
            std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
            size = DWORD(text.size() * sizeof(wchar_t));
            const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(),
                                                RRF_RT_REG_SZ, nullptr, text.data(), &size);
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) return std::nullopt;
            text.resize(wcsnlen(text.c_str(), text.size()));
            return Narrow(text);
        }
    }

    bool WriteInt(const std::string& section, const std::string& key, int value) override
    {
        const DWORD data = DWORD(value);
        return Write(section, key, REG_DWORD, &data, sizeof data);
    }

    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override
    {
        const std::wstring text = Widen(value);
        return Write(section, key, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
    }

    bool Remove(const std::string& section, const std::string& key) override
    {
        HKEY opened = nullptr;
        const LSTATUS status =
            RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, KEY_SET_VALUE, &opened);
        if (status == ERROR_FILE_NOT_FOUND) return true;
        if (status != ERROR_SUCCESS) return false;
        const LSTATUS removed = RegDeleteValueW(opened, Widen(key).c_str());
        RegCloseKey(opened);
        return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
    }

private:
    std::wstring SectionKey(const std::string& section) const { return Widen(key_ + "\\" + section); }

    bool Write(const std::string& section, const std::string& key, DWORD type, const void* data, DWORD size)
    {
        HKEY created = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const LSTATUS status =
            RegSetValueExW(created, Widen(key).c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(created);
        return status == ERROR_SUCCESS;
    }

    std::string key_;
};

}  // namespace

std::unique_ptr<UserProfile> OpenUserProfile(const std::string& company, const std::string& application)
{
    return std::make_unique<RegistryProfile>("Software\\" + company + "\\" + application);
}

}  // namespace platform
