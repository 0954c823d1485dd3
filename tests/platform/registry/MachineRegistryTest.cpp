// Machine-wide values as installers leave them: written by one of the other
// bit width (so in the other registry view), and as REG_EXPAND_SZ.
#include "platform/registry/MachineRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr const wchar_t* kKey = L"SOFTWARE\\Logora Registry Test";

void SetText(HKEY key, const wchar_t* name, DWORD type, const std::wstring& text)
{
    RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
}

TEST(MachineRegistry, FindsTheOtherViewsValuesWithVariablesExpanded)
{
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE | otherView, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "this user cannot write below HKEY_LOCAL_MACHINE";
    SetText(created, L"Plain", REG_SZ, L"C:\\Help\\");
    SetText(created, L"Expanded", REG_EXPAND_SZ, L"%SystemRoot%\\Help\\");
    RegCloseKey(created);

    const std::string key = "SOFTWARE\\Logora Registry Test";
    EXPECT_EQ(platform::MachineRegistryText(key, "Plain"), "C:\\Help\\");
    EXPECT_EQ(platform::MachineRegistryText(key, "Expanded"),
              std::string(std::getenv("SystemRoot")) + "\\Help\\");
    EXPECT_EQ(platform::MachineRegistryText(key, "Missing"), std::nullopt);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, otherView, 0);
}

}  // namespace
