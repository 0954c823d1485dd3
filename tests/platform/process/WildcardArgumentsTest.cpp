// Wildcards that no Windows shell expands, expanded by the program.
#include "platform/process/WildcardArgumentsWin32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/paths/Paths.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(WildcardArguments, PatternsBecomeTheirFilesSortedAndTheRestStaysAsGiven)
{
    const std::string folder = platform::JoinPath(platform::TempFolder(), "wildcards Süd");
    std::filesystem::remove_all(std::filesystem::u8path(folder));
    std::filesystem::create_directories(std::filesystem::u8path(folder + "\\sub.log"));
    for (const char* name : {"day2.log", "Day1.LOG", "day10.log", "day1.csv"})
        std::ofstream(std::filesystem::u8path(folder + "\\" + name)) << "x";

    EXPECT_EQ(platform::WithWildcardsExpanded({"--out-dir", "csv", folder + "\\*.log", "/?", "-x*"}),
              (Arguments{"--out-dir", "csv", folder + "\\Day1.LOG", folder + "\\day10.log",
                         folder + "\\day2.log", "/?", "-x*"}));
    EXPECT_EQ(
        platform::WithWildcardsExpanded({folder + "/day?.csv", folder + "\\*.none", "C:\\no such\\*.log"}),
        (Arguments{folder + "/day1.csv", folder + "\\*.none", "C:\\no such\\*.log"}));
    std::filesystem::remove_all(std::filesystem::u8path(folder));
}

}  // namespace
