#pragma once
// Writes generated datalogs into a private folder, converts them and reads
// the resulting table back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestContext.h"
#include "Utf8Path.h"
#include "VellSamples.h"

namespace logora::test {

struct TableRow
{
    std::string date, time, millitm, marker, tag, status;
    double value = 0;
};

struct ConvertedTable
{
    bool converted = false;
    std::string error;  // why the conversion stopped part way, if it did
    std::vector<std::string> tagList;
    std::vector<std::string> fieldNames;
    uint32_t recordLength = 0;
    std::vector<TableRow> rows;
    std::vector<uint8_t> fileBytes;
};

class VellTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // `name` may hold folders and is UTF-8, as the path returned.
    std::string path(const std::string& name) const
    {
        return testsupport::Utf8Of(folder_ / testsupport::Utf8Path(name));
    }
    void writeLog(const std::string& name, const std::vector<uint8_t>& bytes) const;

    // Converts `logName` (from the test folder) into "out.dbf" and reads it.
    ConvertedTable convert(const std::string& logName) const;

    std::filesystem::path folder_;
    TestContext context_;
};

}  // namespace logora::test
