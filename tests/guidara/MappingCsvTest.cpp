// The mapping table in the source tree is written as the library expects it,
// and every page it names is a help page we ship.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

std::vector<std::string> SplitAt(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

TEST(MappingCsv, HasHeaderRowsAndPagesAsShipped)
{
    std::ifstream in(GUIDARA_MAPPING_CSV, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(text.empty());
    EXPECT_FALSE(text.ends_with("\n")) << "the last line has no line end";

    const std::vector<std::string> lines = SplitAt(text, "\r\n");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\xEF\xBB\xBFOriginal CHM, Context ID, Web Help Filename");

    std::set<std::pair<std::string, std::string>> pairs;
    for (size_t i = 1; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i]);
        EXPECT_EQ(lines[i].find('\n'), std::string::npos);
        const std::vector<std::string> fields = SplitAt(lines[i], ",");
        ASSERT_EQ(fields.size(), 3u);
        EXPECT_TRUE(fields[0].ends_with(".chm"));
        EXPECT_EQ(fields[1].find_first_not_of("0123456789"), std::string::npos);
        EXPECT_TRUE(pairs.emplace(fields[0], fields[1]).second) << "duplicate row";

        std::string page = fields[2];
        EXPECT_NE(page.find("\\Help\\"), std::string::npos);
        std::replace(page.begin(), page.end(), '\\', '/');
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(GUIDARA_HELP_SOURCE_DIR) / page));
    }
}

}  // namespace
