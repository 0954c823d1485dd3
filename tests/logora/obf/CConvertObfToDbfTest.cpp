#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>

#include "CancelAfter.h"
#include "ObfSample.h"
#include "TempDir.h"
#include "TestContext.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/obf/CConvertObfToDbf.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "tests/support/ConvertWithProgress.h"

namespace {

using logora::CConvertObfToDbf;
using logora::CDBF;
using logora::ConversionError;
using obfgen::ObfSample;
using obfgen::ObfSampleRecord;

ObfSampleRecord Record(uint32_t time, uint16_t ms, uint16_t tag, double value, int32_t internal)
{
    ObfSampleRecord r;
    r.time = time;
    r.milliseconds = ms;
    r.tagIndex = tag;
    r.commError = 'E';
    r.marker = 'M';
    r.value = value;
    r.internal = internal;
    return r;
}

// False when the converter refuses the input; a conversion that stops part
// way throws on.
bool Refused(const std::function<void()>& conversion)
{
    try {
        conversion();
        return false;
    } catch (const ConversionError& error) {
        if (error.kind != ConversionError::Kind::Refused) throw;
        return true;
    }
}

class ObfConversion : public testing::Test
{
protected:
    bool Convert(const ObfSample& sample, logora::ControlProcess* progress = nullptr)
    {
        obfgen::WriteObfFile(dir.file("in.obf"), sample);
        CConvertObfToDbf converter(context);
        logora::ConsoleProgress quiet;
        return !Refused([&] {
            testsupport::ConvertWithProgress(converter, dir.file("in.obf"), dir.file("out.dbf"),
                                             progress ? *progress : quiet);
        });
    }
    void OpenTable()
    {
        table = std::make_unique<CDBF>();
        ASSERT_TRUE(table->OpenRead(dir.file("out.dbf")));
        table->ReadFieldDescriptors();
    }
    std::string Field(int64_t record, int field)
    {
        EXPECT_TRUE(table->GoToRecord(record));
        return table->GetFieldString(field);
    }

    testsupport::TempDir dir;
    logora::test::TestContext context;
    std::unique_ptr<CDBF> table;
};

class ObfLayouts : public ObfConversion, public testing::WithParamInterface<uint32_t>
{
};

TEST_P(ObfLayouts, ItemsLandInTheirColumns)
{
    ObfSample sample{GetParam(),
                     true,
                     {Record(1709280000, 250, 7, 21.5, -42), Record(1709280061, 1234, 65535, 1e20, 7)},
                     -1};
    ASSERT_TRUE(Convert(sample));
    OpenTable();
    ASSERT_EQ(table->GetFieldCount(), 8);
    const char* names[] = {"Date", "Time", "Millitm", "TagIndex", "CommError", "Marker", "Value", "Internal"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(table->GetField(i).Name(), names[i]);
    EXPECT_EQ(table->GetField(6).length, 17);
    EXPECT_EQ(table->GetField(6).decimals, 8);
    ASSERT_EQ(table->GetRecordCount(), 2);
    EXPECT_EQ(Field(0, 0), "20240301");
    EXPECT_EQ(Field(0, 1), "08:00:00");
    EXPECT_EQ(Field(0, 2), "250");
    EXPECT_EQ(Field(0, 3), "         7");
    EXPECT_EQ(Field(0, 4), "E");
    EXPECT_EQ(Field(0, 5), "M");
    EXPECT_EQ(Field(0, 6), "      21.50000000");
    EXPECT_EQ(Field(0, 7), "       -42");
    EXPECT_EQ(Field(1, 1), "08:01:01");
    EXPECT_EQ(Field(1, 2), "123");  // 1234 keeps its first three characters
    EXPECT_EQ(Field(1, 3), "     65535");
    EXPECT_EQ(Field(1, 6), "10000000000000000");  // wider than the column: cut
}

INSTANTIATE_TEST_SUITE_P(AlignedAndPacked, ObfLayouts, testing::Values(12u, 10u, 16u),
                         [](const testing::TestParamInfo<uint32_t>& info) {
                             return "FirstColumn" + std::to_string(info.param);
                         });

TEST_F(ObfConversion, PackedLayoutReadsMarkerAtNineAndValueAtTheColumnLength)
{
    // Bytes placed by hand: marker at 9, value at 10, internal at 18.
    ObfSample sample{10, true, {Record(0, 0, 0, 0.0, 0)}, -1};
    std::vector<uint8_t> bytes = obfgen::BuildObfFile(sample);
    const size_t record = 32 + 3 * 32 + 1;
    bytes[record + 9] = 'Q';
    bytes[record + 10 + 7] = 0x40;  // 2.0 as a little-endian double
    bytes[record + 18] = 9;
    testsupport::WriteBytes(dir.file("in.obf"), bytes);
    {
        // The table is complete once its converter is gone.
        CConvertObfToDbf converter(context);
        converter.SetFloatFormat(6, 1);
        logora::ConsoleProgress quiet;
        ASSERT_FALSE(Refused([&] {
            testsupport::ConvertWithProgress(converter, dir.file("in.obf"), dir.file("out.dbf"), quiet);
        }));
    }
    OpenTable();
    EXPECT_EQ(Field(0, 5), "Q");
    EXPECT_EQ(Field(0, 6), "   2.0");
    EXPECT_EQ(Field(0, 7), "         9");
}

TEST_F(ObfConversion, LocalTimesWestOfUtcAcrossTheEpochAndADaylightChange)
{
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    setenv("TZ", "EST5EDT", 1);
    tzset();
    constexpr uint32_t kSpringChange = 1772953200;  // 2026-03-08 07:00:00 UTC
    const bool converted = Convert({12,
                                    true,
                                    {Record(0, 0, 1, 1.0, 1), Record(kSpringChange - 1, 0, 1, 1.0, 1),
                                     Record(kSpringChange, 0, 1, 1.0, 1)},
                                    -1});
    setenv("TZ", before.c_str(), 1);
    tzset();
    ASSERT_TRUE(converted);
    OpenTable();
    EXPECT_EQ(Field(0, 0) + " " + Field(0, 1), "19691231 19:00:00");
    EXPECT_EQ(Field(1, 0) + " " + Field(1, 1), "20260308 01:59:59");
    EXPECT_EQ(Field(2, 0) + " " + Field(2, 1), "20260308 03:00:00");
}

TEST_F(ObfConversion, UnusableContainersAreRefusedWithoutATable)
{
    struct Case
    {
        const char* label;
        ObfSample sample;
    };
    const Case cases[] = {
        {"NoColumns", {12, false, {}, 3}},
        {"RecordTooShortForPackedLayout", {200, true, {}, 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = obfgen::BuildObfFile(c.sample);
        if (std::string_view(c.label) == "RecordTooShortForPackedLayout") {
            bytes[32 + 16] = 40;  // first column claims 40 bytes, record length stays short
            bytes[10] = 30;
        }
        testsupport::WriteBytes(dir.file("in.obf"), bytes);
        CConvertObfToDbf converter(context);
        logora::ConsoleProgress quiet;
        EXPECT_TRUE(Refused([&] {
            testsupport::ConvertWithProgress(converter, dir.file("in.obf"), dir.file("out.dbf"), quiet);
        })) << c.label;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.dbf"))) << c.label;
    }
    CConvertObfToDbf missing(context);
    logora::ConsoleProgress quiet;
    EXPECT_TRUE(Refused([&] {
        testsupport::ConvertWithProgress(missing, dir.file("missing.obf"), dir.file("out.dbf"), quiet);
    }));
}

using testsupport::CancelAfter;

TEST_F(ObfConversion, CancelAndMissingRecordsKeepWhatWasConverted)
{
    CancelAfter progress(4);
    ASSERT_TRUE(Convert({12, true, obfgen::PlantRecords(10), -1}, &progress));
    OpenTable();
    EXPECT_EQ(table->GetRecordsHeld(), 4);
    EXPECT_EQ(table->GetRecordCount(), 10);  // so the table tells that records are missing
    table.reset();

    // The header promises more than the file holds: the table keeps what is
    // there, and the shortfall is an error that names the file.
    try {
        Convert({12, true, obfgen::PlantRecords(3), 50});
        ADD_FAILURE() << "a short container converted without complaint";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.kind, ConversionError::Kind::Stopped);
        EXPECT_EQ(error.record, 3u);
        EXPECT_NE(std::string(error.what()).find("in.obf: the header announces 50 records"),
                  std::string::npos)
            << error.what();
        EXPECT_NE(std::string(error.what()).find("(47 missing)"), std::string::npos) << error.what();
    }
    OpenTable();
    EXPECT_EQ(table->GetRecordsHeld(), 3);
    EXPECT_EQ(table->GetRecordCount(), 50);
}

}  // namespace
