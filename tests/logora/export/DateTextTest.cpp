#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <vector>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/CalendarDate.h"
#include "logora/engine/export/ShortDate.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::CDataFormatHelper;

std::string DbfDate(const std::string& text, size_t capacity)
{
    std::vector<char> out(CDataFormatHelper::DateTextRoom(capacity));
    return std::string(out.data(), CDataFormatHelper::FormatDbfDate(text, out.data(), capacity));
}

std::string OleDate(double value)
{
    std::vector<char> out(CDataFormatHelper::DateTextRoom(100));
    return std::string(out.data(), CDataFormatHelper::FormatOleDateTime(value, out.data(), 100));
}

std::string UnixDate(int64_t seconds)
{
    std::vector<char> out(CDataFormatHelper::DateTextRoom(100));
    return std::string(out.data(), CDataFormatHelper::FormatUnixDateTime(seconds, out.data(), 100));
}

TEST(DateText, DbfDatesInTheCLocaleUseTheFallbackForm)
{
    EXPECT_EQ(DbfDate("20241231", 10), "12/31/2024");
    EXPECT_EQ(DbfDate("20241231", 512), "12/31/2024");
    EXPECT_EQ(DbfDate("00010101", 10), "01/01/   1");
    EXPECT_EQ(DbfDate("        ", 10), "00/00/   0");
    EXPECT_EQ(DbfDate("2024", 10), "00/00/2024");
    EXPECT_EQ(DbfDate("-9991231", 10), "12/31/-999");
}

struct OleCase
{
    double value;
    const char* text;
};

class OleDates : public ::testing::TestWithParam<OleCase>
{
};

TEST_P(OleDates, ToDateAndTime)
{
    EXPECT_EQ(OleDate(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, OleDates,
    ::testing::Values(OleCase{0.0, "12/30/1899 00:00:00"}, OleCase{45657.5, "12/31/2024 12:00:00"},
                      OleCase{-1.25, "12/29/1899 06:00:00"}, OleCase{1.0 - 1e-9, "12/31/1899 00:00:00"},
                      OleCase{45657.0 + 1.0 / 86400 * 0.4, "12/31/2024 00:00:00"},
                      OleCase{-657434.0, "01/01/ 100 00:00:00"},
                      OleCase{2958465.999988, "12/31/9999 23:59:59"},
                      OleCase{-657435.0, "-1/-1/  -1 -1:-1:-1"}, OleCase{2958466.0, "-1/-1/  -1 -1:-1:-1"},
                      OleCase{std::numeric_limits<double>::quiet_NaN(), "-1/-1/  -1 -1:-1:-1"}));

TEST(DateText, CalendarDaysRoundTrip)
{
    for (int64_t days = -1000000; days < 3000000; days += 997) {
        int year = 0, month = 0, day = 0;
        logora::CivilFromDays(days, year, month, day);
        ASSERT_TRUE(logora::IsValidDate(year, month, day) || year < 1 || year > 9999);
        ASSERT_EQ(logora::DaysFromCivil(year, month, day), days);
    }
    EXPECT_FALSE(logora::IsValidDate(2023, 2, 29));
    EXPECT_TRUE(logora::IsValidDate(2024, 2, 29));
    EXPECT_FALSE(logora::IsValidDate(1900, 2, 29));
}

TEST(DateText, UnixTimesInLocalTime)
{
    EXPECT_EQ(UnixDate(0), "01/01/1970 00:00:00");
    EXPECT_EQ(UnixDate(1735689599), "12/31/2024 23:59:59");
    setenv("TZ", "EET-2", 1);
    tzset();
    EXPECT_EQ(UnixDate(0), "01/01/1970 02:00:00");
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(UnixDate(std::numeric_limits<int64_t>::max()), "-1/-1/  -1 -1:-1:-1");
}

// A locale whose short date is day.month.year; built with localedef into a
// private folder, skipped when this machine cannot build it.
TEST(DateText, UserLocaleShortDateFallsBackWhenItDoesNotFit)
{
    logora::testing::ScratchDir scratch;
    std::string folder = std::filesystem::path(scratch.file("x")).parent_path().string();
    std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(folder + "/de_DE.UTF-8"))
        GTEST_SKIP() << "localedef cannot build de_DE here";
    setenv("LOCPATH", folder.c_str(), 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    logora::ReloadUserLocale();
    std::string csv = DbfDate("20241231", CDataFormatHelper::kCsvDateCapacity);
    std::string display = DbfDate("20241231", CDataFormatHelper::kDisplayDateCapacity);
    std::string dateTime = OleDate(45657.5);
    setenv("LC_ALL", "C", 1);
    unsetenv("LOCPATH");
    logora::ReloadUserLocale();
    EXPECT_EQ(csv, "12/31/2024");
    EXPECT_EQ(display, "31.12.2024");
    EXPECT_EQ(dateTime, "31.12.2024 12:00:00");
}

}  // namespace
