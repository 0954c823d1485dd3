#include "VellTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/vell/CConvertLogToDBF.h"

namespace logora::test {

void VellTest::SetUp()
{
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    // One folder whatever the names: those of parameterized tests hold '/'.
    std::string name =
        "vell-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    folder_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

void VellTest::TearDown()
{
    std::filesystem::remove_all(folder_);
}

void VellTest::writeLog(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    ASSERT_TRUE(vellgen::WriteFile(testsupport::Utf8Path(path(name)), bytes));
}

ConvertedTable VellTest::convert(const std::string& logName) const
{
    ConvertedTable result;
    std::string tablePath = path("out.dbf");
    {
        CConvertLogToDBF converter(context_.context);
        try {
            converter.Open(path(logName));
        } catch (const ConversionError&) {
            return result;
        }
        try {
            logora::ConvertToTableFile(converter, tablePath, context_.context.run.MappingErrors());
            result.converted = true;
        } catch (const ConversionError& error) {
            if (error.kind == ConversionError::Kind::TableUnwritten) throw;
            if (error.kind == ConversionError::Kind::Stopped) result.error = error.what();
        }
        result.tagList = converter.TagNames();
    }
    std::ifstream in(tablePath, std::ios::binary);
    result.fileBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());

    CDBF table;
    if (!table.OpenRead(tablePath) || !table.ReadFieldDescriptors()) return result;
    result.recordLength = table.GetRecordLength();
    for (int f = 0; f < table.GetFieldCount(); ++f) {
        DBFField field = table.GetField(f);
        result.fieldNames.push_back(std::string(field.Name()) + ":" + field.type +
                                    std::to_string(field.length));
    }
    int tagField = table.FindField("Tag") >= 0 ? table.FindField("Tag") : table.FindField("TagIndex");
    for (int64_t r = 0; r < table.GetRecordCount(); ++r) {
        if (!table.GoToRecord(r)) break;
        TableRow row;
        row.date = table.GetFieldString("Date");
        row.time = table.GetFieldString("Time");
        row.millitm = table.GetFieldString("Millitm");
        row.marker = table.GetFieldString("Marker");
        row.tag = table.GetFieldString(tagField);
        row.status = table.GetFieldString("Status");
        table.GetFieldBytes("Value", &row.value, sizeof row.value);
        result.rows.push_back(row);
    }
    return result;
}

}  // namespace logora::test
