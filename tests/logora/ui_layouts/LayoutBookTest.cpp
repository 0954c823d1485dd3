#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <string>

#include "SampleLayout.h"
#include "logora/ui/layouts/LayoutBook.h"
#include "platform/settings/KeptText.h"

namespace logora::ui {
namespace {

class LayoutBookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(state_.isValid());
        setenv("XDG_STATE_HOME", state_.path().toLocal8Bit().constData(), 1);
    }

    std::unique_ptr<LayoutBook> Open()
    {
        return std::make_unique<LayoutBook>(platform::OpenKeptText({.company = "Kestra Applications",
                                                                    .application = "Layout Test",
                                                                    .subkey = "Layouts",
                                                                    .folder = "logora",
                                                                    .file = "layouts"}));
    }

    QTemporaryDir state_;
};

TEST_F(LayoutBookTest, KeepsAcrossInstancesInTheStateFolderAndForgets)
{
    ASSERT_TRUE(Open()->Keep("/one.LOG", SampleLayout()));
    ASSERT_TRUE(QFileInfo(state_.path() + "/logora/layouts").isFile());
    EXPECT_EQ(Open()->Find("/one.LOG"), SampleLayout());
    EXPECT_FALSE(Open()->Find("/two.LOG"));
    ASSERT_TRUE(Open()->Forget("/one.LOG"));
    EXPECT_FALSE(Open()->Find("/one.LOG"));
}

TEST_F(LayoutBookTest, DropsTheLongestUnusedBeyondTheCap)
{
    auto book = Open();
    for (size_t i = 0; i < LayoutBook::kMaxLayouts; ++i)
        ASSERT_TRUE(book->Keep("/" + std::to_string(i), ColumnsOnly({{true, 10}})));
    // Kept again, the first is the newest; the second is dropped.
    ASSERT_TRUE(book->Keep("/0", ColumnsOnly({{true, 20}})));
    ASSERT_TRUE(book->Keep("/new", ColumnsOnly({{true, 30}})));
    EXPECT_EQ(book->Find("/0")->columns[0].width, 20);
    EXPECT_FALSE(book->Find("/1"));
    EXPECT_TRUE(book->Find("/2"));
    EXPECT_TRUE(book->Find("/new"));
}

TEST_F(LayoutBookTest, ADamagedFileCountsAsNoLayouts)
{
    ASSERT_TRUE(QDir(state_.path()).mkpath("logora"));
    QFile file(state_.path() + "/logora/layouts");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("logora layouts 1\nfile /one.LOG\ncolumns s:-4\nend\n");
    file.close();
    EXPECT_FALSE(Open()->Find("/one.LOG"));
    ASSERT_TRUE(Open()->Keep("/two.LOG", SampleLayout()));
    EXPECT_EQ(Open()->Find("/two.LOG"), SampleLayout());
}

}  // namespace
}  // namespace logora::ui
