#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

#include "CaseName.h"

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
                      OleCase{std::numeric_limits<double>::quiet_NaN(), "-1/-1/  -1 -1:-1:-1"}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

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

// The three texts under `locale` found in `folder`, formatted in a child
// process: loading a locale from LOCPATH keeps a small allocation of the C
// library alive that leak checkers would report at exit.
std::vector<std::string> TextsUnderLocale(const std::string& folder, const std::string& locale)
{
    int channel[2];
    if (pipe(channel) != 0) return {};
    pid_t child = fork();
    if (child == 0) {
        setenv("LOCPATH", folder.c_str(), 1);
        setenv("LC_ALL", locale.c_str(), 1);
        logora::ReloadUserLocale();
        std::string texts = DbfDate("20241231", CDataFormatHelper::kCsvDateCapacity) + "\n" +
                            DbfDate("20241231", CDataFormatHelper::kDisplayDateCapacity) + "\n" +
                            OleDate(45657.5);
        ssize_t written = write(channel[1], texts.data(), texts.size());
        _exit(written == static_cast<ssize_t>(texts.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string received;
    char chunk[256];
    ssize_t got = 0;
    while ((got = read(channel[0], chunk, sizeof chunk)) > 0)
        received.append(chunk, static_cast<size_t>(got));
    close(channel[0]);
    waitpid(child, nullptr, 0);
    std::vector<std::string> texts;
    size_t start = 0;
    for (size_t end; (end = received.find('\n', start)) != std::string::npos; start = end + 1)
        texts.push_back(received.substr(start, end - start));
    texts.push_back(received.substr(start));
    return texts;
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
    EXPECT_EQ(TextsUnderLocale(folder, "de_DE.UTF-8"),
              (std::vector<std::string>{"12/31/2024", "31.12.2024", "31.12.2024 12:00:00"}));
}

}  // namespace
