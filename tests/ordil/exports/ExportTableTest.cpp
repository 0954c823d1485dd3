// The shared library's export table is its whole interface: exactly these 30
// functions, nothing else.
#include <gtest/gtest.h>

#include <stdio.h>

#include <set>
#include <sstream>
#include <string>

namespace {

std::set<std::string> definedDynamicSymbols(const std::string& library)
{
    std::string command = "nm -D --defined-only " + library;
    FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (pipe && fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name);
    }
    int status = pipe ? pclose(pipe) : -1;
    EXPECT_EQ(status, 0) << command;
    return names;
}

TEST(ExportTable, ExactlyTheThirtyUtilityFunctions)
{
    const std::set<std::string> expected = {"UtlBaseFilenameValid",
                                            "UtlFilenameValid",
                                            "UtlDirNameValid",
                                            "UtlDirectoryCreate",
                                            "UtlDirectoryExists",
                                            "UtlDriveExists",
                                            "UtlFileCopy",
                                            "UtlGetDiskFreeSpace",
                                            "UtlIsUNCPath",
                                            "UtlLongFilenameSupported",
                                            "UtlFileCRC",
                                            "UtlBuildBlock",
                                            "UtlSplitBlock",
                                            "UtlIsValidInt",
                                            "UtlIsValidFloat",
                                            "UtlLocaleIsValidFloat",
                                            "UtlIsConvertibleFloatString",
                                            "UtlFloatStringToULong",
                                            "UtlULongToFloatString",
                                            "UtlSecMapCharToMask",
                                            "UtlSecMapMaskToChar",
                                            "UtlIsBlankStr",
                                            "UtlPadStr",
                                            "UtlStripBlanks",
                                            "UtlStripQuotesStr",
                                            "UtlConvertToSystemTime",
                                            "UtlParseOptions",
                                            "UtlFindParam",
                                            "UtlGetParamKey",
                                            "UtlSetParamKey"};
    ASSERT_EQ(expected.size(), 30u);
    std::set<std::string> exported = definedDynamicSymbols(ORDIL_LIBRARY_PATH);
    EXPECT_EQ(exported, expected);
    for (const std::string& name : exported) EXPECT_EQ(name.rfind("Utl", 0), 0u) << name;
}

}  // namespace
