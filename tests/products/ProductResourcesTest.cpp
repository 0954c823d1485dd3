// What Explorer, installers and the system read from the programs and DLLs
// beside this test: the version resource, and each program's manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Product
{
    const wchar_t* file;
    bool program;
    bool utf8CodePage;
};

std::wstring BesideThisTest(const wchar_t* file)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + file;
}

std::wstring VersionText(const std::string& block, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

TEST(ProductResources, VersionsOfAllAndManifestsOfThePrograms)
{
    const std::wstring version(PRODUCT_VERSION, PRODUCT_VERSION + sizeof PRODUCT_VERSION - 1);
    for (const Product& product :
         {Product{L"logora.exe", true, false}, Product{L"vettle.exe", true, true},
          Product{L"ordil.dll", false, false}, Product{L"guidara.dll", false, false}}) {
        SCOPED_TRACE(std::string(product.file, product.file + wcslen(product.file)));
        const std::wstring path = BesideThisTest(product.file);
        DWORD ignored = 0;
        std::string block(GetFileVersionInfoSizeW(path.c_str(), &ignored), '\0');
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, DWORD(block.size()), block.data()));
        EXPECT_EQ(VersionText(block, L"FileVersion"), version);
        EXPECT_EQ(VersionText(block, L"ProductVersion"), version);
        EXPECT_EQ(VersionText(block, L"CompanyName"), L"Kestra Applications");
        EXPECT_FALSE(VersionText(block, L"FileDescription").empty());
        EXPECT_EQ(VersionText(block, L"OriginalFilename"), product.file);

        HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(image, nullptr);
        HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        EXPECT_EQ(found != nullptr, product.program);
        if (found != nullptr) {
            const std::string manifest(static_cast<const char*>(LockResource(LoadResource(image, found))),
                                       SizeofResource(image, found));
            EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos);
            EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos);
            EXPECT_EQ(manifest.find(">UTF-8</activeCodePage>") != std::string::npos, product.utf8CodePage);
        }
        FreeLibrary(image);
    }
}

}  // namespace
