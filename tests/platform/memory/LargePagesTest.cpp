#include "platform/memory/LargePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string FileText(const char* path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The flags /proc/self/smaps gives the mapping holding `address` ("hg":
// advised to take huge pages, whether or not the system found free ones).
std::string MappingFlagsAt(const void* address)
{
    std::istringstream maps(FileText("/proc/self/smaps"));
    const auto wanted = reinterpret_cast<uintptr_t>(address);
    bool inside = false;
    for (std::string line; std::getline(maps, line);) {
        uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> from >> dash >> to && dash == '-') {
            inside = from <= wanted && wanted < to;
        } else if (inside && line.rfind("VmFlags:", 0) == 0) {
            return line.substr(std::strlen("VmFlags:")) + " ";
        }
    }
    return {};
}

TEST(LargePages, AnAdvisedBlockIsMarkedForLargePages)
{
    if (FileText("/sys/kernel/mm/transparent_hugepage/enabled").empty())
        GTEST_SKIP() << "this system has no transparent huge pages";
    constexpr size_t kBytes = size_t{32} << 20;
    const std::unique_ptr<char[]> block(new char[kBytes]);
    platform::AdviseLargePages(block.get(), kBytes);
    EXPECT_NE(MappingFlagsAt(block.get() + kBytes / 2).find(" hg "), std::string::npos);
}

}  // namespace
