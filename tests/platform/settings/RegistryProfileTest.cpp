// The per-user profile in the registry, where an installation already keeps
// its settings: integers as REG_DWORD, texts as REG_SZ.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/settings/UserProfile.h"

namespace {

// A company key of the test's own, removed afterwards.
class RegistryProfile : public ::testing::Test
{
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kCompany); }

    static DWORD TypeOf(const wchar_t* value)
    {
        DWORD type = REG_NONE;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return type;
        RegQueryValueExW(key, value, nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
        return type;
    }

    static constexpr const wchar_t* kCompany = L"Software\\Logora Profile Test";
    static constexpr const wchar_t* kOptionsKey = L"Software\\Logora Profile Test\\Viewer\\Options";
};

TEST_F(RegistryProfile, ReadsAnInstallationsValuesAndWritesTheirTypes)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, kOptionsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const DWORD floatLength = 12;
    const wchar_t folder[] = L"C:\\Daten\\M\u00fchle";
    RegSetValueExW(key, L"FloatLength", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&floatLength),
                   sizeof floatLength);
    RegSetValueExW(key, L"OpenFilePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), sizeof folder);
    RegCloseKey(key);

    auto profile = platform::OpenUserProfile("Logora Profile Test", "Viewer");
    ASSERT_TRUE(profile->Load());
    EXPECT_EQ(profile->Location(), "HKEY_CURRENT_USER\\Software\\Logora Profile Test\\Viewer");
    EXPECT_EQ(profile->GetInt("options", "floatlength"), 12);
    EXPECT_EQ(profile->GetString("Options", "OpenFilePath"), "C:\\Daten\\M\xC3\xBChle");
    // A value of the other kind counts as none, as does a missing one.
    EXPECT_FALSE(profile->GetString("Options", "FloatLength"));
    EXPECT_FALSE(profile->GetInt("Options", "OpenFilePath"));
    EXPECT_FALSE(profile->GetInt("Options", "DecimalCount"));
    EXPECT_FALSE(profile->GetString("Recent File List", "File1"));

    ASSERT_TRUE(profile->WriteInt("Options", "DestTimeZone", -1));
    ASSERT_TRUE(profile->WriteString("Options", "SaveFilePath", ""));
    EXPECT_EQ(TypeOf(L"DestTimeZone"), DWORD(REG_DWORD));
    EXPECT_EQ(TypeOf(L"SaveFilePath"), DWORD(REG_SZ));
    EXPECT_EQ(profile->GetInt("Options", "DestTimeZone"), -1);
    EXPECT_EQ(profile->GetString("Options", "SaveFilePath"), "");

    EXPECT_TRUE(profile->Remove("Options", "DestTimeZone"));
    EXPECT_FALSE(profile->GetInt("Options", "DestTimeZone"));
    EXPECT_TRUE(profile->Remove("Options", "DestTimeZone"));
    EXPECT_TRUE(profile->Remove("No Such Section", "File1"));
}

}  // namespace
