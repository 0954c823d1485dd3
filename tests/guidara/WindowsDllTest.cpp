// guidara.dll as a Windows program of the product family loads it: the four
// exports by their plain names, and the mapping table as resource 101 of type
// "CSV", byte for byte the table of the source tree.
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

}  // namespace
