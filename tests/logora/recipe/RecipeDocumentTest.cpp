// A recipe file opened through the document, as the viewer and the batch run
// open it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

#include "RecipeTestFiles.h"
#include "TestContext.h"
#include "logora/engine/document/CDatReaderDoc.h"

namespace logora {
namespace {

class RecipeDocument : public RecipeFiles
{
protected:
    void SetUp() override
    {
        setenv("TMPDIR", temp.path().string().c_str(), 1);
        context_.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { messages.emplace_back(text); });
    }
    void TearDown() override { unsetenv("TMPDIR"); }
    size_t TemporaryTables() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(temp.path()),
                                                 std::filesystem::directory_iterator()));
    }

    testsupport::TempDir temp;
    test::TestContext context_;
    std::vector<std::string> messages;
};

TEST_F(RecipeDocument, LowerCaseExtensionOpensAsRecipe)
{
    const std::string path = Write(recipegen::LemonadeRecipe(), "lemonade.rpp");
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    EXPECT_EQ(document.GetRecordCount(), 5);
    ASSERT_EQ(document.GetFieldCount(), 10);
    EXPECT_EQ(document.GetField(7).Name(), "Summer Bat");
    std::string text;
    document.GetValue(1, 1, text);
    EXPECT_EQ(text, "Sugar syrup");
    document.GetValue(0, 3, text);
    EXPECT_EQ(text, "12.5");
    EXPECT_FALSE(document.IsTrendTable());
    EXPECT_EQ(TemporaryTables(), 1u);
    EXPECT_TRUE(messages.empty());
    document.OnCloseDocument();
    EXPECT_EQ(TemporaryTables(), 0u);
}

TEST_F(RecipeDocument, FailedConversionEndsTheOpen)
{
    const std::string plain = dir.file("plain.RPP");
    testsupport::WriteBytes(plain, std::vector<uint8_t>(700, 'r'));
    CDatReaderDoc notCompound(context_);
    EXPECT_FALSE(notCompound.ConvertAndLoad(plain));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("This Blendcraft file not be opened!\n" + plain + ": "))
        << messages[0];

    CDatReaderDoc missing(context_);
    EXPECT_FALSE(missing.ConvertAndLoad(dir.file("missing.rpp")));
    EXPECT_EQ(messages.back(),
              "This Blendcraft file not be opened!\n" + dir.file("missing.rpp") + ": no such file");
    EXPECT_EQ(TemporaryTables(), 0u);
}

}  // namespace
}  // namespace logora
