// The library's outer surface: exactly four exports, null arguments, the
// public header as C, and diagnostics only on request.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/guidara/support/HelpSandbox.h"

extern "C" int GuidaraHeaderCompilesAsC(void);

namespace guidara_test {
namespace {

std::set<std::string> ExportedFunctions(const std::string& library)
{
    std::set<std::string> names;
    FILE* pipe = popen(("nm -D --defined-only '" + library + "'").c_str(), "r");
    if (pipe == nullptr) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name && type == "T") names.insert(name.substr(0, name.find('@')));
    }
    pclose(pipe);
    return names;
}

TEST(GuidaraExports, AreExactlyTheFourHelpFunctions)
{
    EXPECT_EQ(
        ExportedFunctions(GUIDARA_LIBRARY),
        (std::set<std::string>{"InvokeHelpA", "InvokeHelpDirectA", "InvokeHelpDirectW", "InvokeHelpW"}));
}

TEST(GuidaraExports, HeaderCompilesAsC)
{
    EXPECT_EQ(GuidaraHeaderCompilesAsC(), 1);
}

TEST(GuidaraExports, MissingArgumentGivesZeroInAllFour)
{
    HelpSandbox sandbox;
    sandbox.SetEnv("KestraCommonHelpDir", "/help/");
    GuidaraLibrary library(GUIDARA_LIBRARY);
    EXPECT_EQ(library.InvokeHelpW(nullptr, nullptr, 15, 1001), 0);
    EXPECT_EQ(library.InvokeHelpA(nullptr, nullptr, 15, 1001), 0);
    EXPECT_EQ(library.InvokeHelpDirectW(nullptr), 0);
    EXPECT_EQ(library.InvokeHelpDirectA(nullptr), 0);
    EXPECT_TRUE(sandbox.WaitForOpened(0).empty());
}

// Runs `request` with standard error sent to a file and returns what it got.
template <typename Request>
std::string StandardErrorOf(const std::filesystem::path& file, Request request)
{
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    std::FILE* capture = std::fopen(file.c_str(), "w");
    dup2(fileno(capture), STDERR_FILENO);
    request();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::fclose(capture);
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GuidaraDiagnostics, AreWrittenOnlyWhenAsked)
{
    HelpSandbox sandbox;
    GuidaraLibrary library(GUIDARA_LIBRARY);
    const auto failingRequest = [&] {
        EXPECT_EQ(library.InvokeHelpW(nullptr, u"ZAZIzezIveZodidiDarevedazIziduda.chm", 15, 1001), 0);
    };
    EXPECT_EQ(StandardErrorOf(sandbox.Root() / "quiet", failingRequest), "");
    sandbox.SetEnv("GUIDARA_DEBUG", "1");
    EXPECT_NE(StandardErrorOf(sandbox.Root() / "debug", failingRequest).find("KestraCommonHelpDir"),
              std::string::npos);
}

}  // namespace
}  // namespace guidara_test
