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

// Kibibytes of huge pages /proc/self/smaps counts for the mapping holding `address`.
long HugePagesKiBAt(const void* address)
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
        } else if (inside && line.rfind("AnonHugePages:", 0) == 0) {
            return std::stol(line.substr(std::strlen("AnonHugePages:")));
        }
    }
    return 0;
}

TEST(LargePages, AnAdvisedBlockIsBackedByLargePagesWhereTheSystemGivesThem)
{
    const std::string mode = FileText("/sys/kernel/mm/transparent_hugepage/enabled");
    if (mode.empty() || mode.find("[never]") != std::string::npos)
        GTEST_SKIP() << "this system gives no transparent huge pages";
    constexpr size_t kBytes = size_t{32} << 20;
    const std::unique_ptr<char[]> block(new char[kBytes]);
    platform::AdviseLargePages(block.get(), kBytes);
    std::memset(block.get(), 1, kBytes);
    EXPECT_GT(HugePagesKiBAt(block.get() + kBytes / 2), 0);
}

}  // namespace
