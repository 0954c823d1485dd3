#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <tuple>
#include <vector>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/CalendarDate.h"
#include "logora/engine/export/DateNumberFormat.h"
#include "logora/engine/export/ShortDate.h"
#include "logora/engine/rows/DateTextReading.h"
#include "tests/logora/largefile/ScratchDir.h"

#include "CaseName.h"
#include "LocaleBuild.h"

namespace {

using logora::CDataFormatHelper;
using logora::test::BuildLocale;

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

// The lines `texts` gives under `locale` found in `folder`, formatted in a
// child process: loading a locale from LOCPATH keeps a small allocation of
// the C library alive that leak checkers would report at exit.
std::vector<std::string> TextsUnderLocale(const std::string& folder, const std::string& locale,
                                          const std::function<std::string()>& lines)
{
    int channel[2];
    if (pipe(channel) != 0) return {};
    pid_t child = fork();
    if (child == 0) {
        setenv("LOCPATH", folder.c_str(), 1);
        setenv("LC_ALL", locale.c_str(), 1);
        logora::ReloadUserLocale();
        const std::string texts = lines();
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

// The sheet's number formats of both date texts: the short date where the
// CSV shows it, escaped or quoted so that it shows as the CSV's text.
std::string DateNumberFormats()
{
    return logora::DateNumberFormat(CDataFormatHelper::kCsvDateCapacity) + "\n" +
           logora::DateNumberFormat(CDataFormatHelper::kTimestampCapacity);
}

// A locale whose short date is day.month.year.
TEST(DateText, UserLocaleShortDateFallsBackWhenItDoesNotFit)
{
    logora::testing::ScratchDir scratch;
    std::string folder = std::filesystem::path(scratch.file("x")).parent_path().string();
    if (!BuildLocale(folder, "de_DE")) GTEST_SKIP() << "localedef cannot build de_DE here";
    const auto texts = [] {
        return DbfDate("20241231", CDataFormatHelper::kCsvDateCapacity) + "\n" +
               DbfDate("20241231", CDataFormatHelper::kDisplayDateCapacity) + "\n" + OleDate(45657.5) + "\n" +
               DateNumberFormats();
    };
    EXPECT_EQ(TextsUnderLocale(folder, "de_DE.UTF-8", texts),
              (std::vector<std::string>{"12/31/2024", "31.12.2024", "31.12.2024 12:00:00", "mm\\/dd\\/yyyy",
                                        "dd\\.mm\\.yyyy"}));
}

// The alarm tables' date-and-time texts read back only as the date they
// would be written for: in the locale's order, never in another.
std::string ReadDateTexts(const std::vector<std::string>& texts)
{
    logora::DateTextReader reader(100);
    std::string read;
    for (const std::string& text : texts) {
        logora::CivilTime when;
        char line[64] = "no";
        if (reader.Read(text, when))
            std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month, when.day,
                          when.hour, when.minute, when.second);
        read += std::string(read.empty() ? "" : "\n") + line;
    }
    return read;
}

TEST(DateText, DateAndTimeTextsReadBackInTheirOwnForm)
{
    const std::vector<std::string> texts{"11/22/2033 08:01:02", "22.11.2033 08:01:02", "02/31/2033 08:00:00",
                                         "11/22/2033 24:00:00", "-1/-1/  -1 -1:-1:-1", "11/22/2033"};
    EXPECT_EQ(ReadDateTexts(texts), "2033-11-22 08:01:02\nno\nno\nno\nno\nno");
    logora::testing::ScratchDir scratch;
    std::string folder = std::filesystem::path(scratch.file("x")).parent_path().string();
    if (!BuildLocale(folder, "de_DE")) GTEST_SKIP() << "localedef cannot build de_DE here";
    EXPECT_EQ(TextsUnderLocale(folder, "de_DE.UTF-8", [&] { return ReadDateTexts(texts); }),
              (std::vector<std::string>{"no", "2033-11-22 08:01:02", "no", "no", "no", "no"}));
}

// Short dates with a two-digit year, and with characters beyond ASCII.
TEST(DateText, ShortDatesAsNumberFormats)
{
    logora::testing::ScratchDir scratch;
    std::string folder = std::filesystem::path(scratch.file("x")).parent_path().string();
    for (const auto& [locale, csvDate, timestampDate] :
         {std::tuple{"en_GB", "dd\\/mm\\/yy", "dd\\/mm\\/yy"},
          std::tuple{"ja_JP", "mm\\/dd\\/yyyy", "yyyy\"年\"mm\"月\"dd\"日\""}}) {
        if (!BuildLocale(folder, locale)) GTEST_SKIP() << "localedef cannot build " << locale << " here";
        EXPECT_EQ(TextsUnderLocale(folder, std::string(locale) + ".UTF-8", DateNumberFormats),
                  (std::vector<std::string>{csvDate, timestampDate}))
            << locale;
    }
}

}  // namespace
