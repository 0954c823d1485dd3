// guidara.dll as a Windows program of the product family loads it: the four
// exports by their plain names, the mapping table as resource 101 of type
// "CSV", byte for byte the table of the source tree, and the help folder as
// installers write it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(GuidaraDll, ExportsAndMappingResource)
{
    HMODULE library = LoadLibraryW(L"guidara.dll");
    ASSERT_NE(library, nullptr);
    for (const char* name : {"InvokeHelpA", "InvokeHelpW", "InvokeHelpDirectA", "InvokeHelpDirectW"}) {
        EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
    }
    HRSRC found = FindResourceW(library, MAKEINTRESOURCEW(101), L"CSV");
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(library, found);
    ASSERT_NE(loaded, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    std::ifstream csv(GUIDARA_MAPPING_CSV, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(std::string(bytes, SizeofResource(library, found)), expected);
    FreeLibrary(library);
}

// An installer of the other bit width writes the help folder into the other
// registry view, as REG_EXPAND_SZ; the page is handed to the shell, and the
// result is 1 even though the shell finds no such page.
TEST(GuidaraDll, FindsTheHelpFolderOfTheOtherViewAndAnswersOneWhateverTheShellSays)
{
    const wchar_t* key = L"SOFTWARE\\Tarrow Software\\Setup\\Default\\Common";
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    HKEY existing = nullptr;
    for (const REGSAM view : {REGSAM(0), otherView}) {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &existing) == ERROR_SUCCESS) {
            RegCloseKey(existing);
            GTEST_SKIP() << "an installed help folder setting is left alone";
        }
    }
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | otherView, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "this user cannot write below HKEY_LOCAL_MACHINE";
    const std::wstring folder = L"%TEMP%\\";
    RegSetValueExW(created, L"KestraCommonHelpDir", 0, REG_EXPAND_SZ,
                   reinterpret_cast<const BYTE*>(folder.c_str()),
                   DWORD((folder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(created);

    HMODULE library = LoadLibraryW(L"guidara.dll");
    ASSERT_NE(library, nullptr);
    const auto invokeDirect =
        reinterpret_cast<int (*)(const char16_t*)>(GetProcAddress(library, "InvokeHelpDirectW"));
    ASSERT_NE(invokeDirect, nullptr);
    EXPECT_EQ(invokeDirect(u"No such\\Help\\page.htm"), 1);
    FreeLibrary(library);
    for (const wchar_t* part :
         {L"SOFTWARE\\Tarrow Software\\Setup\\Default\\Common", L"SOFTWARE\\Tarrow Software\\Setup\\Default",
          L"SOFTWARE\\Tarrow Software\\Setup", L"SOFTWARE\\Tarrow Software"})
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, part, otherView, 0);
}

}  // namespace
