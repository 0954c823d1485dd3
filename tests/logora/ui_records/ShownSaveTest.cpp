// Save Shown through the document: the shown columns in their order, with
// all, the filtered or the selected records in the list's order, as CSV
// bytes (heading, order, quoting of the CSV export) and as typed rows.
#include <gtest/gtest.h>

#include "TestContext.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/rows/RowWriter.h"
#include "logora/ui/records/RowOrder.h"
#include "logora/ui/records/RowSelection.h"
#include "logora/ui/records/ShownSave.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/zarn-gen/DbfBytes.h"

namespace logora::ui {
namespace {

constexpr int kName = 0, kLevel = 1, kNote = 2;

// Keeps the heading and the texts of the rows it is given.
class RecordingRows : public RowWriter
{
public:
    bool Prepare(const std::string&) override { return true; }
    bool BeginRows(const RowLayout& layout) override
    {
        for (const RowColumn& column : layout.columns) text += column.name + ";";
        text += "\n";
        columns_ = layout.columns.size();
        return true;
    }
    bool PutRow(const RowCell* cells, const CivilTime*) override
    {
        for (size_t i = 0; i < columns_; ++i) text += std::string(cells[i].text) + ";";
        text += "\n";
        return true;
    }
    bool Finish(bool complete) override { return complete; }
    std::string Failure() const override { return {}; }

    std::string text;

private:
    size_t columns_ = 0;
};

class ShownSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::vector<zarngen::DbfFieldSpec> fields = {
            {"Name", 'C', 8, 0}, {"Level", 'N', 6, 2}, {"Note", 'C', 6, 0}};
        const char* const rows[][3] = {{"Pump", "  1.50", "a,b"},
                                       {"Fan", " 12.25", "q\"x"},
                                       {"Valve", "  3.00", ""},
                                       {"Ab", " -1.00", "z"}};
        auto bytes = zarngen::DbfHeaderBytes(fields, 4);
        for (const auto& row : rows) {
            zarngen::DbfRecord record(fields);
            for (size_t field = 0; field < 3; ++field) record.SetText(field, row[field]);
            bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
        }
        testing::WriteBytes(folder_.File("plant.dbf"), bytes);
        ASSERT_TRUE(document_.ConvertAndLoad(folder_.File("plant.dbf")));
        // Sorted by name descending, the fan filtered out.
        sorted_.SetSort(RecordIndex({2, 0, 1, 3}), kName, false);
        sorted_.SetFilter({true, false, true, true});
    }

    std::string SavedCsv(const RowOrder& order, ShownScope scope, std::vector<int> fields = {kNote, kName})
    {
        HandOver(PlanShownSave(std::move(fields), order, selection_, scope), document_);
        const std::string path = folder_.File("shown.csv");
        EXPECT_TRUE(document_.ExportCSV(path));
        return testing::ReadText(path);
    }

    testing::TempFolder folder_;
    test::TestContext context_;
    CDatReaderDoc document_{context_};
    RowOrder sorted_{4};
    RowSelection selection_;
};

TEST_F(ShownSaveTest, CsvHoldsTheShownColumnsOfTheChosenRecordsInListOrder)
{
    EXPECT_EQ(SavedCsv(sorted_, ShownScope::All),
              ";Note,Name\r\n,Valve,\r\n\"a,b\",Pump,\r\n\"q\"\"x\",Fan,\r\nz,Ab,\r\n");
    EXPECT_EQ(SavedCsv(sorted_, ShownScope::Filtered), ";Note,Name\r\n,Valve,\r\n\"a,b\",Pump,\r\nz,Ab,\r\n");
    selection_.SelectOnly(1);
    selection_.ExtendTo(2);
    EXPECT_EQ(SavedCsv(sorted_, ShownScope::Selected, {kLevel}), ";Level\r\n  1.50,\r\n -1.00,\r\n");
    // Unsorted and unfiltered: the table's order, and the next save has every field again.
    EXPECT_EQ(SavedCsv(RowOrder(4), ShownScope::Filtered, {kName}),
              ";Name\r\nPump,\r\nFan,\r\nValve,\r\nAb,\r\n");
    ASSERT_TRUE(document_.ExportCSV(folder_.File("whole.csv")));
    EXPECT_TRUE(testing::ReadText(folder_.File("whole.csv"))
                    .starts_with(";Name,Level,Note\r\nPump,  1.50,\"a,b\",\r\n"));
}

TEST_F(ShownSaveTest, TypedRowsHoldTheShownColumnsOnly)
{
    selection_.SelectOnly(0);
    HandOver(PlanShownSave({kNote, kName}, sorted_, selection_, ShownScope::Selected), document_);
    RecordingRows rows;
    ASSERT_TRUE(document_.SaveRows(folder_.File("shown.db"), rows));
    EXPECT_EQ(rows.text, "Note;Name;\n;Valve;\n");
}

}  // namespace
}  // namespace logora::ui
