// The document: extension choice, the ".DAT" merge and its fallbacks, the
// temporary table's life, the registry of open documents, and the saves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestContext.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/DocumentRegistry.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "tests/logora/alarm/CancelAfter.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ReadText;
using testing::WriteBytes;

class Document : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TMPDIR", temp_.Path().c_str(), 1);
        context_.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { messages_.emplace_back(text); });
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    std::string WriteSample(const std::string& dataName, uint64_t records, uint32_t tags,
                            bool withTagFile = true)
    {
        const zarngen::ZarnSampleSpec spec{records, tags, false};
        WriteBytes(folder_.File(dataName), zarngen::ZarnDataFileBytes(spec));
        if (withTagFile) {
            WriteBytes(folder_.File("Plant(Tagname).DAT"),
                       zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(tags)));
        }
        return folder_.File(dataName);
    }

    size_t TemporaryTables() const
    {
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(temp_.Path())) {
            count += entry.path().filename().string().starts_with("TMP");
        }
        return count;
    }

    testing::TempFolder folder_;
    testing::TempFolder temp_;
    test::TestContext context_;
    std::vector<std::string> messages_;
};

TEST_F(Document, LowerCaseDatExtensionMergesTagNames)
{
    const std::string path = WriteSample("Plant(1).dat", 6, 3);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    EXPECT_TRUE(document.HasTagNames());
    EXPECT_EQ(document.GetRecordCount(), 6);
    EXPECT_EQ(document.GetField(3).Name(), "Tagname");
    std::string text;
    document.GetValue(4, 3, text);
    EXPECT_EQ(text, "Valve2");
    EXPECT_EQ(document.GetTagList(), zarngen::ZarnTagNames(3));
    // The merged table is read in place of the data file.
    EXPECT_TRUE(document.IsReadInPlace());
    EXPECT_EQ(TemporaryTables(), 0u);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Document, DatWithoutTagFileLoadsTagNumbers)
{
    const std::string path = WriteSample("Plant(1).DAT", 6, 3, false);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    EXPECT_FALSE(document.HasTagNames());
    EXPECT_EQ(document.GetField(3).Name(), "TagIndex");
    EXPECT_TRUE(document.IsTrendTable());
    ConsoleProgress progress;
    document.LoadTrendData(progress);
    EXPECT_EQ(document.GetTagMap(), (std::map<std::string, int32_t>{{"0", 0}, {"1", 1}, {"2", 2}}));
    // The temporary table exists, though empty, while the data file is loaded.
    EXPECT_EQ(TemporaryTables(), 1u);
}

TEST_F(Document, TagFileOpenedItselfShowsTheTagList)
{
    WriteSample("Plant(1).DAT", 2, 2);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(folder_.File("Plant(Tagname).DAT")));
    EXPECT_EQ(document.GetRecordCount(), 2);
    std::string text;
    document.GetValue(1, 0, text);
    EXPECT_EQ(text, "Valve2");
    EXPECT_FALSE(document.IsTrendTable());
}

TEST_F(Document, UnsupportedExtensionIsRefusedWithoutTemporaryTable)
{
    WriteBytes(folder_.File("notes.txt"), {1, 2, 3});
    CDatReaderDoc document(context_);
    EXPECT_FALSE(document.ConvertAndLoad(folder_.File("notes.txt")));
    EXPECT_NE(document.GetFailureReason().find("notes.txt"), std::string::npos);
    EXPECT_EQ(TemporaryTables(), 0u);
}

TEST_F(Document, TemporaryTableGoesWithTheDocument)
{
    const std::string path = WriteSample("Plant(1).DAT", 3, 2);
    {
        CDatReaderDoc document(context_);
        document.SetReadInPlace(false);
        ASSERT_TRUE(document.ConvertAndLoad(path));
        EXPECT_EQ(TemporaryTables(), 1u);
        document.OnCloseDocument();
        EXPECT_EQ(TemporaryTables(), 0u);
    }
    {
        CDatReaderDoc document(context_);
        document.SetReadInPlace(false);
        ASSERT_TRUE(document.ConvertAndLoad(path));
    }
    EXPECT_EQ(TemporaryTables(), 0u);
}

TEST_F(Document, UnreadableTableIsReportedAndLeavesNoTemporaryTable)
{
    WriteBytes(folder_.File("broken.dbf"), {0x03, 0, 0});
    CDatReaderDoc document(context_);
    EXPECT_FALSE(document.ConvertAndLoad(folder_.File("broken.dbf")));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("broken.dbf"), std::string::npos);
    EXPECT_EQ(TemporaryTables(), 0u);
}

// The reader's failed mapping reaches the document's own run state.
TEST_F(Document, EmptyDatalogIsReportedToTheContext)
{
    WriteBytes(folder_.File("Plant(1).DAT"), {});
    CDatReaderDoc document(context_);
    EXPECT_FALSE(document.ConvertAndLoad(folder_.File("Plant(1).DAT")));
    ASSERT_FALSE(messages_.empty());
    EXPECT_EQ(messages_[0].rfind(" failed with error ", 0), 0u) << messages_[0];
    EXPECT_TRUE(messages_[0].ends_with("Plant(1).DAT: the file is empty (0 bytes) and cannot be mapped"))
        << messages_[0];
}

TEST_F(Document, MergeStoppedEarlyLoadsWhatWasMerged)
{
    const std::string path = WriteSample("Plant(1).DAT", 5, 2);
    auto bytes = ReadBytes(path);
    bytes.resize(bytes.size() - 39);  // the last record is missing
    WriteBytes(path, bytes);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    EXPECT_TRUE(document.IsConversionIncomplete());
    EXPECT_EQ(messages_, (std::vector<std::string>{"Convert log file error\n" + path +
                                                   ": record 5 lies beyond the end of the file"}));
    EXPECT_EQ(document.GetRecordCount(), 4);
    EXPECT_EQ(document.GetRecordsRead(), (RecordsRead{4, 5}));
}

// A table whose header announces more records than its bytes hold shows the
// ones it holds, and says how many are missing; so does a raw datalog.
TEST_F(Document, TableCutShortShowsTheRecordsItHolds)
{
    const zarngen::ZarnSampleSpec spec{20, 3, false};
    for (const std::string name : {"cut.dbf", "cut(1).DAT"}) {
        auto bytes = zarngen::ZarnDataFileBytes(spec);
        bytes[4] = 0x40, bytes[5] = 0x4B, bytes[6] = 0x4C, bytes[7] = 0;  // 5,000,000 records
        bytes.resize(bytes.size() - 2 * 39 - 1);                          // the last 2 whole, one cut
        WriteBytes(folder_.File(name), bytes);
        messages_.clear();
        CDatReaderDoc document(context_);
        ASSERT_TRUE(document.ConvertAndLoad(folder_.File(name))) << name;
        EXPECT_EQ(document.GetRecordCount(), 17) << name;
        EXPECT_EQ(document.GetRecordsRead(), (RecordsRead{17, 5000000})) << name;
        EXPECT_EQ(IncompleteText(*document.GetRecordsRead()), "incomplete: 17 of 5,000,000 records");
        EXPECT_EQ(messages_,
                  (std::vector<std::string>{"The table " + folder_.File(name) +
                                            " ends before its last record!\n" + folder_.File(name) +
                                            ": the header announces 5000000 records of 39 bytes, "
                                            "but the file holds only 17 (4999983 missing)"}));
        ASSERT_TRUE(document.SaveAsDBF(folder_.File("saved.dbf")));
        CDatReaderDoc saved(context_);
        ASSERT_TRUE(saved.ConvertAndLoad(folder_.File("saved.dbf")));
        EXPECT_EQ(saved.GetRecordCount(), 17);
        EXPECT_FALSE(saved.IsConversionIncomplete());
    }
}

TEST_F(Document, SamePathCannotBeOpenedTwice)
{
    const std::string path = WriteSample("Plant(1).DAT", 3, 2);
    CDatReaderDoc first(context_);
    ASSERT_TRUE(first.ConvertAndLoad(path));
    EXPECT_TRUE(IsDocumentOpen(folder_.Path() + "/./Plant(1).DAT"));
    CDatReaderDoc second(context_);
    EXPECT_FALSE(second.ConvertAndLoad(path));
    first.OnCloseDocument();
    EXPECT_FALSE(IsDocumentOpen(path));
    EXPECT_TRUE(second.ConvertAndLoad(path));
}

TEST_F(Document, OpenDocumentReportsAFileThatCannotBeRead)
{
    CDatReaderDoc document(context_);
    EXPECT_FALSE(document.OnOpenDocument(folder_.File("absent.dbf")));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("absent.dbf"), std::string::npos);
    const std::string path = WriteSample("Plant(1).DAT", 2, 2);
    EXPECT_TRUE(document.OnOpenDocument(path));
    EXPECT_EQ(document.GetPathName(), path);
}

TEST_F(Document, ExportFormChoice)
{
    CDatReaderDoc document(context_);
    EXPECT_FALSE(document.SetExportForm(2));
    EXPECT_EQ(document.GetExportForm(), 2);
    EXPECT_FALSE(document.SetExportForm(1));
    EXPECT_EQ(document.GetExportForm(), 1);
    document.SetExportForm(2);
    EXPECT_TRUE(document.SetExportForm(7));
    EXPECT_EQ(document.GetExportForm(), 1);
}

TEST_F(Document, ListFormCsvHasOneLinePerRecord)
{
    const std::string path = WriteSample("Plant(1).DAT", 3, 3);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    ASSERT_TRUE(document.ExportCSV(folder_.File("out.csv")));
    const std::string csv = ReadText(folder_.File("out.csv"));
    EXPECT_TRUE(csv.starts_with(";Date,Time,Millitm,Tagname,Value,Internal,Status\r\n")) << csv;
    EXPECT_NE(csv.find(",Valve2,      10.00000000,"), std::string::npos) << csv;
    size_t lines = 0;
    for (char c : csv) lines += c == '\n';
    EXPECT_EQ(lines, 4u);
}

TEST_F(Document, CsvStraightFromTheMergeHasTheBytesOfTheTableExport)
{
    const std::string path = folder_.File("Plant(1).DAT");
    WriteBytes(path, zarngen::ZarnDataFileBytes({40, 3, true}));
    // Names the CSV must quote, and two that differ only in letter case.
    WriteBytes(folder_.File("Plant(Tagname).DAT"),
               zarngen::ZarnTagFileBytes({"Flow, \"main\"", "Line\nfeed", "FLOW, \"MAIN\""}));
    for (int form : {CDatReaderDoc::kListForm, CDatReaderDoc::kTableForm}) {
        CDatReaderDoc usual(context_);
        usual.SetExportForm(form);
        ASSERT_TRUE(usual.ConvertAndLoad(path));
        ASSERT_TRUE(usual.ExportCSV(folder_.File("usual.csv")));
        CDatReaderDoc straight(context_);
        straight.SetExportForm(form);
        ASSERT_EQ(straight.ExportStraightToCsv(path, folder_.File("straight.csv")),
                  CDatReaderDoc::StraightExport::Written);
        EXPECT_EQ(ReadText(folder_.File("straight.csv")), ReadText(folder_.File("usual.csv"))) << form;
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Document, SaveIntoMissingFolderFailsAndKeepsNothing)
{
    const std::string path = WriteSample("Plant(1).DAT", 3, 3);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    EXPECT_FALSE(document.SaveAsDBF(folder_.File("missing/out.dbf")));
    EXPECT_FALSE(fs::exists(folder_.File("missing")));
    EXPECT_FALSE(messages_.empty());
}

TEST_F(Document, SaveAsDbfReplacesTheTarget)
{
    const std::string path = WriteSample("Plant(1).DAT", 3, 3);
    WriteBytes(folder_.File("out.dbf"), {'o', 'l', 'd'});
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    ASSERT_TRUE(document.SaveAsDBF(folder_.File("out.dbf")));
    CDatReaderDoc saved(context_);
    ASSERT_TRUE(saved.ConvertAndLoad(folder_.File("out.dbf")));
    EXPECT_EQ(saved.GetRecordCount(), 3);
    EXPECT_EQ(saved.GetField(4).type, 'F');
    std::string text;
    saved.GetValue(2, 3, text);
    EXPECT_EQ(text, "Tank3");
}

TEST_F(Document, CancelledSavesKeepThePreviousFileAndSaySo)
{
    const std::string path = WriteSample("Plant(1).DAT", 10, 3);
    WriteBytes(folder_.File("old.dbf"), {'o', 'l', 'd'});
    WriteBytes(folder_.File("old.csv"), {'o', 'l', 'd'});
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.ConvertAndLoad(path));
    const size_t entries = std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator());
    context_.context.progress = [](const std::string&, const std::string&) {
        return std::make_unique<testsupport::CancelAfter>(4);
    };
    EXPECT_FALSE(document.SaveAsDBF(folder_.File("old.dbf")));
    EXPECT_FALSE(document.SaveAsDBF(folder_.File("new.dbf")));
    EXPECT_FALSE(document.ExportCSV(folder_.File("old.csv")));
    document.SetExportForm(CDatReaderDoc::kTableForm);
    EXPECT_FALSE(document.ExportCSV(folder_.File("new.csv")));
    EXPECT_EQ(ReadText(folder_.File("old.dbf")), "old");
    EXPECT_EQ(ReadText(folder_.File("old.csv")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), entries);
    ASSERT_EQ(messages_.size(), 4u);
    EXPECT_EQ(messages_[1], "Saving " + folder_.File("new.dbf") + " was cancelled; nothing was saved!");
    EXPECT_EQ(messages_[3], "Saving " + folder_.File("new.csv") + " was cancelled; nothing was saved!");
}

}  // namespace
}  // namespace logora
