// Drive letters are real drives on Windows: folders are made and found on
// them, and their volumes are queried, also below names beyond ASCII.
#include <gtest/gtest.h>

#include <filesystem>

#include "ordil/include/ordil.h"

namespace {

namespace fs = std::filesystem;

TEST(Drives, RealDrivesTakeFoldersAndTellTheirFreeSpace)
{
    EXPECT_EQ(UtlDriveExists(u"C:\\"), 1);
    EXPECT_EQ(UtlDriveExists(u"Q:\\"), 0);
    const fs::path base = fs::temp_directory_path() / u"\u00f6rdil-\u03a9";
    fs::remove_all(base);
    const std::u16string nested = (base / "a" / "b").u16string();
    ASSERT_EQ(nested.substr(1, 2), u":\\");
    EXPECT_EQ(UtlDirectoryCreate(nested.c_str()), 1);
    EXPECT_EQ(UtlDirectoryExists(nested.c_str()), 1);
    EXPECT_TRUE(fs::is_directory(base / "a" / "b"));
    EXPECT_EQ(UtlDirectoryCreate(u"Q:\\ordil"), 0);
    EXPECT_GT(UtlGetDiskFreeSpace(nested.c_str()), 0u);
    EXPECT_EQ(UtlGetDiskFreeSpace(u"Q:\\"), 0u);
    fs::remove_all(base);
}

}  // namespace
