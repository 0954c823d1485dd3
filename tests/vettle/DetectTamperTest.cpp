// The detection run over generated data logs, untouched and tampered, read
// with several read-ahead sizes (1 byte is the byte-wise reading) that must
// all give the same report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <functional>

#include "common/bytes/MemoryByteSource.h"
#include "tests/vettle/LogEditing.h"
#include "vettle/DetectTamper.h"
#include "vettle/Messages.h"
#include "vettle/ScrambleText.h"
#include "vettle/TextCrc32.h"

namespace vettle::test {
namespace {

using integritycsv::LogOptions;
using integritycsv::MakeIntegrityLog;

const std::string kPassedText = kPassed;

std::string Finding(int line)
{
    return "Adulteration detected at line " + std::to_string(line) + ".\r\n";
}
std::string OrderFinding(int line)
{
    return "The order of lines has been changed at (or before) line " + std::to_string(line) + ".\r\n";
}

std::string Scrambled(const std::string& plain)
{
    std::u16string units(plain.begin(), plain.end());
    ScrambleText(units.data(), units.size());
    return std::string(units.begin(), units.end());
}

LogOptions Options(const std::function<void(LogOptions&)>& adjust = {})
{
    LogOptions options;
    if (adjust) adjust(options);
    return options;
}

// A generated log with one edit applied to its physical lines (0 = header).
std::string Edited(const LogOptions& options, const std::function<void(std::vector<std::string>&)>& edit)
{
    auto lines = SplitLines(MakeIntegrityLog(options));
    edit(lines);
    return JoinLines(lines);
}

const std::string kGuid = LogOptions().guid;

// Header, a row with `text`, a plain row and the trailer; UTF-8 with byte
// order mark or 8-bit.
std::string WithRowText(bool utf8, const std::string& text)
{
    return std::string(utf8 ? "\xEF\xBB\xBF" : "") + MarkedLine("Zeit,Wert", 1, 0) + MarkedLine(text, 2, 0) +
           MarkedLine("1,2", 3, 0) + TrailerWithLineEnd(2, 2);
}

struct DetectCase
{
    const char* name;
    std::function<std::string()> file;
    std::string expected;
};

std::string RunDetection(const std::string& bytes, size_t window, int64_t splitAt = kNoSplit)
{
    common::MemoryByteSource source(bytes);
    DetectRunState state;
    state.PrepareRun();
    DetectInSource(source, state, window, splitAt);
    return state.Report();
}

const std::vector<DetectCase>& Cases()
{
    static const std::vector<DetectCase> cases = {
        {"Plain8Bit", [] { return MakeIntegrityLog(Options()); }, kPassedText},
        {"Utf8WithBom", [] { return MakeIntegrityLog(Options([](LogOptions& o) { o.utf8 = true; })); },
         kPassedText},
        {"QuotedFields8Bit",
         [] { return MakeIntegrityLog(Options([](LogOptions& o) { o.quotedFields = true; })); }, kPassedText},
        {"ContinuationLines",
         [] { return MakeIntegrityLog(Options([](LogOptions& o) { o.continuationEvery = 2; })); },
         kPassedText},
        {"TrailerWithoutChecksum",
         [] { return MakeIntegrityLog(Options([](LogOptions& o) { o.trailerChecksum = false; })); },
         kPassedText},
        {"OrderNumberWraps",
         [] {
             return MakeIntegrityLog(Options([](LogOptions& o) {
                 o.startLow = 65530;
                 o.rows = 20;
             }));
         },
         kPassedText},
        {"NoRows", [] { return MakeIntegrityLog(Options([](LogOptions& o) { o.rows = 0; })); }, kPassedText},
        {"Utf8QuotedContinuedWithoutChecksum",
         [] {
             return MakeIntegrityLog(Options([](LogOptions& o) {
                 o.utf8 = o.quotedFields = true;
                 o.continuationEvery = 3;
                 o.trailerChecksum = false;
             }));
         },
         kPassedText},
        {"ChangedValue", [] { return Edited(Options(), [](auto& l) { l[3][11] = '2'; }); }, Finding(4)},
        // A leading 0 makes the checksum octal, as the C library reads it.
        {"ChecksumWithLeadingZero",
         [] {
             std::string marker =
                 Scrambled("0" + std::to_string(BytesCrc32("5,6\r\n")) + "*" + kGuid + "*2*0");
             for (size_t at = marker.find('"'); at != std::string::npos; at = marker.find('"', at + 2))
                 marker.insert(at, 1, '"');
             return MarkedLine("Zeit,Wert", 1, 0) + "5,6,\"" + marker + "\"\r\n" + MarkedLine("1,2", 3, 0) +
                    TrailerWithLineEnd(2, 2);
         },
         Finding(2)},
        {"ChangedValueAfterContinuation",
         [] {
             return Edited(Options([](LogOptions& o) { o.continuationEvery = 2; }),
                           [](auto& l) { l[5][11] = '2'; });
         },
         Finding(6)},
        {"ChangedNonAsciiValueUtf8",
         [] {
             return Edited(Options([](LogOptions& o) { o.utf8 = o.quotedFields = true; }),
                           [](auto& l) { l[5].replace(l[5].find("\xC3\xBC"), 2, "u"); });
         },
         Finding(6)},
        {"ChangedHighByte8Bit",
         [] {
             return Edited(Options([](LogOptions& o) { o.quotedFields = true; }),
                           [](auto& l) { l[5].replace(l[5].find('\xFC'), 1, "\x81"); });
         },
         Finding(6)},
        {"BrokenMarkerKeepsOrder",
         [] { return Edited(Options(), [](auto& l) { l[3][l[3].find('"') + 1] = 'Z'; }); }, Finding(4)},
        {"OtherGuid",
         [] {
             return Edited(Options(), [](auto& l) {
                 l[2] = MarkedLine("2026-12-08 10:10:24,85.2,96.2", 3, 0,
                                   "00000000-0000-0000-0000-000000000000");
             });
         },
         Finding(3)},
        {"SwappedRows", [] { return Edited(Options(), [](auto& l) { std::swap(l[3], l[4]); }); },
         OrderFinding(4) + OrderFinding(5) + OrderFinding(6)},
        {"DeletedRow", [] { return Edited(Options(), [](auto& l) { l.erase(l.begin() + 5); }); },
         kRowsAltered},
        {"AddedRow", [] { return Edited(Options(), [](auto& l) { l.insert(l.begin() + 5, l[5]); }); },
         kRowsAltered},
        {"TrailerRowCountChanged",
         [] {
             return Edited(Options(), [](auto& l) {
                 const std::string guid = LogOptions().guid;
                 const std::string original = guid + "*10*3";
                 l.back() = Scrambled(guid + "*11*3*" + std::to_string(BytesCrc32(original))) + "\r\n";
             });
         },
         kFormatCorrupted},
        {"TrailerChecksumChanged",
         [] {
             return Edited(Options(), [](auto& l) {
                 const std::string guid = LogOptions().guid;
                 l.back() =
                     Scrambled(guid + "*10*3*" + std::to_string(BytesCrc32(guid + "*10*3") + 1)) + "\r\n";
             });
         },
         kFormatCorrupted},
        {"TrailerRemoved", [] { return Edited(Options(), [](auto& l) { l.pop_back(); }); }, kFormatUnknown},
        {"HeaderCommaAdded",
         [] { return Edited(Options(), [](auto& l) { l[0].insert(l[0].find(",\""), ",Extra"); }); },
         kColumnsAltered},
        {"HeaderCommaRemoved",
         [] { return Edited(Options(), [](auto& l) { l[0].erase(l[0].find(",Wert"), 1); }); },
         kColumnsAltered},
        {"EmptyFile", [] { return std::string(); }, kFormatUnknown},
        {"ShorterThanFiveBytes", [] { return std::string("\n\n;a"); }, kFormatUnknown},
        {"LineLongerThanBuffer",
         [] {
             return MarkedLine("Zeit,Wert", 1, 0) + MarkedLine("1,2", 2, 0) +
                    MarkedLine("x," + std::string(20000, '7'), 3, 0) + MarkedLine("3,4", 4, 0) +
                    TrailerWithLineEnd(3, 2);
         },
         Finding(3).substr(0, Finding(3).size() - 2)},
        // A row that holds the trailer's text is taken for the trailer when the
        // text starts at a unit index of the same key phase.
        {"TrailerTextInRow8Bit",
         [] { return WithRowText(false, integritycsv::TrailerLine(kGuid, 2, 2, true) + ",x"); },
         kRowsAltered},
        {"TrailerTextFourUnitsIntoRow8Bit",
         [] { return WithRowText(false, "abcd" + integritycsv::TrailerLine(kGuid, 2, 2, true)); },
         kRowsAltered},
        {"TrailerTextShiftedInRow8Bit",
         [] { return WithRowText(false, "x" + integritycsv::TrailerLine(kGuid, 2, 2, true)); }, kPassedText},
        {"TrailerTextInRowUtf8",
         [] { return WithRowText(true, integritycsv::TrailerLine(kGuid, 2, 2, true) + ",\xC3\xBC"); },
         kRowsAltered},
        {"TrailerTextAfterOneTwoByteCharacterUtf8",
         [] { return WithRowText(true, "\xC3\xBC" + integritycsv::TrailerLine(kGuid, 2, 2, true)); },
         kPassedText},
        {"TrailerTextAfterFourCharactersUtf8",
         [] {
             return WithRowText(true,
                                "\xC3\xBC\xC3\xBC\xC3\xBCx" + integritycsv::TrailerLine(kGuid, 2, 2, true));
         },
         kRowsAltered},
        {"LineFeedWithoutCarriageReturnStaysInTheLine", [] { return WithRowText(false, "1,\"two\nlines\""); },
         kPassedText},
        {"ChangeAfterEmbeddedLineFeedCountsLogicalLines",
         [] {
             auto lines = SplitLines(WithRowText(false, "1,\"two\nlines\""));
             lines[2][0] = '7';
             return JoinLines(lines);
         },
         Finding(3)},
        {"ZeroOrderNumberAlwaysInOrder",
         [] {
             return MarkedLine("Zeit,Wert", 1, 0) + MarkedLine("1,2", 2, 0) + MarkedLine("2,3", 0, 0) +
                    MarkedLine("3,4", 9, 0) + TrailerWithLineEnd(3, 2);
         },
         kPassedText},
        {"FirstRowAnyOrderAfterHeaderOne",
         [] {
             return MarkedLine("Zeit,Wert", 1, 0) + MarkedLine("1,2", 500, 3) + MarkedLine("2,3", 501, 3) +
                    TrailerWithLineEnd(2, 2);
         },
         kPassedText},
        {"FirstRowOrderCheckedAfterOtherHeader",
         [] {
             return MarkedLine("Zeit,Wert", 7, 0) + MarkedLine("1,2", 500, 0) + MarkedLine("2,3", 501, 0) +
                    TrailerWithLineEnd(2, 2);
         },
         OrderFinding(2)},
        {"WrapNeedsHighPlusOne",
         [] {
             return MarkedLine("Zeit,Wert", 65535, 4) + MarkedLine("1,2", 65536, 4) +
                    MarkedLine("2,3", 1, 4) + TrailerWithLineEnd(2, 2);
         },
         OrderFinding(3)},
    };
    return cases;
}

class DetectTamperTest : public testing::TestWithParam<DetectCase>
{
};

TEST_P(DetectTamperTest, ReportIsTheSameForEveryReadAheadSize)
{
    const std::string file = GetParam().file();
    for (size_t window : {BufferedReader::kDefaultWindow, size_t{1}, size_t{3}, size_t{64}}) {
        EXPECT_EQ(RunDetection(file, window), GetParam().expected) << "read-ahead " << window;
    }
    // Lines checked in two parts: the second part starting at any line.
    for (size_t splitAt = 1; splitAt < file.size(); splitAt += 5) {
        EXPECT_EQ(RunDetection(file, 64, static_cast<int64_t>(splitAt)), GetParam().expected)
            << "split at " << splitAt;
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, DetectTamperTest, testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Each outcome has a verdict of its own, and the run keeps the first line its
// report names, also when the line was found in the second of two parts.
// A usual marker of a line in the read window is read in one pass; every
// other form, and each bound of the usual one, must read as the general
// reading (byte by byte) reads it.
TEST(DetectTamperMarkers, OddFormsReadAsByteByByte)
{
    const uint32_t checksum = BytesCrc32("5,6\r\n");
    const std::string crc = std::to_string(checksum);
    // Beyond their types' range by 2^32: cut to the type they would read right.
    const std::string crcPlus2To32 = std::to_string(checksum + (uint64_t{1} << 32));
    std::string upperGuid = kGuid;
    std::transform(upperGuid.begin(), upperGuid.end(), upperGuid.begin(),
                   [](char c) { return std::toupper(c); });
    const std::string guid = "*" + kGuid + "*";
    const std::vector<std::string> markers = {
        crc + guid + "2*0",
        crc + guid + "02*0",
        crc + guid + "2*00",
        crc + guid + "2*2147483647",
        crc + guid + "2*2147483648",
        crc + guid + "2*4294967296",
        crc + guid + "4294967298*0",
        crc + guid + "12345678901*0",
        crcPlus2To32 + guid + "2*0",
        "0" + guid + "2*0",
        "+" + crc + guid + "2*0",
        "0x1F" + guid + "2*0",
        crc + "*" + guid + "2*0",
        crc + guid + "2*0*",
        "*" + crc + guid + "2*0",
        crc + guid + "2* 0",
        crc + guid + "2",
        crc + "*" + upperGuid + "*2*0",
        crc + "*x*2*0",
        crc + guid + "2*" + std::string(30, '0'),
    };
    const auto file = [](const std::string& field) {
        return MarkedLine("Zeit,Wert", 1, 0) + "5,6,\"" + field + "\"\r\n" + MarkedLine("1,2", 3, 0) +
               TrailerWithLineEnd(2, 2);
    };
    for (const std::string& marker : markers) {
        const std::string bytes = file(Scrambled(marker));
        EXPECT_EQ(RunDetection(bytes, BufferedReader::kDefaultWindow), RunDetection(bytes, 1)) << marker;
    }
    for (const char odd : {'"', ',', '\n', '\x80'}) {
        std::string field = Scrambled(crc + guid + "2*0");
        field.insert(5, 1, odd);
        const std::string bytes = file(field);
        EXPECT_EQ(RunDetection(bytes, BufferedReader::kDefaultWindow), RunDetection(bytes, 1)) << int{odd};
    }
}

TEST(DetectTamperVerdict, EachOutcomeHasItsVerdictAndFirstLine)
{
    const struct
    {
        const char* caseName;
        DetectVerdict verdict;
        int64_t line;
    } outcomes[] = {
        {"Plain8Bit", DetectVerdict::Passed, 0},
        {"ChangedValue", DetectVerdict::Tampered, 4},
        {"SwappedRows", DetectVerdict::Tampered, 4},
        {"LineLongerThanBuffer", DetectVerdict::Tampered, 3},
        {"DeletedRow", DetectVerdict::RowsAltered, 0},
        {"HeaderCommaAdded", DetectVerdict::ColumnsAltered, 0},
        {"TrailerRemoved", DetectVerdict::Unmarked, 0},
        {"EmptyFile", DetectVerdict::Unmarked, 0},
        {"TrailerChecksumChanged", DetectVerdict::Corrupted, 0},
    };
    for (const auto& outcome : outcomes) {
        const auto found = std::find_if(Cases().begin(), Cases().end(), [&](const DetectCase& c) {
            return c.name == std::string(outcome.caseName);
        });
        ASSERT_NE(found, Cases().end()) << outcome.caseName;
        const std::string file = found->file();
        for (int64_t splitAt : {kNoSplit, int64_t{1}, static_cast<int64_t>(file.size() / 2)}) {
            common::MemoryByteSource source(file);
            DetectRunState state;
            state.PrepareRun();
            EXPECT_EQ(DetectInSource(source, state, 64, splitAt), outcome.verdict) << outcome.caseName;
            EXPECT_EQ(state.ReportedLine(), outcome.line) << outcome.caseName << " split at " << splitAt;
        }
    }
}

TEST(DetectTamperCancel, CancelBeforeTheFirstLineLeavesAnEmptyReport)
{
    const std::string file = Edited(Options(), [](auto& l) { l[3][11] = '2'; });
    common::MemoryByteSource source(file);
    DetectRunState state;
    state.PrepareRun();
    state.Cancel();
    EXPECT_EQ(DetectInSource(source, state), DetectVerdict::Cancelled);
    EXPECT_EQ(state.Report(), "");
}

// The bytes of a log whose reads fail from `failAt` on, as a failing disk's
// do: a read that crosses that byte comes back short.
class FailingSource : public common::ByteSource
{
public:
    FailingSource(std::string_view bytes, int64_t failAt)
        : bytes_(bytes), failAt_(static_cast<uint64_t>(failAt))
    {}
    uint64_t Size() const override { return bytes_.Size(); }
    int64_t ReadAt(uint8_t* data, size_t length, uint64_t offset) const override
    {
        if (offset >= failAt_) {
            errno = EIO;
            return -1;
        }
        return bytes_.ReadAt(data, static_cast<size_t>(std::min<uint64_t>(length, failAt_ - offset)), offset);
    }

private:
    common::MemoryByteSource bytes_;
    uint64_t failAt_;
};

// Wherever the reads fail, in one part or in two, the run says the file
// could not be read: no verdict about its integrity data.
TEST(DetectTamperReadError, EveryFailingByteGivesTheReadError)
{
    const std::string file = MakeIntegrityLog(Options([](LogOptions& o) { o.rows = 40; }));
    const auto size = static_cast<int64_t>(file.size());
    for (int64_t failAt = 0; failAt < size; failAt += 7) {
        for (int64_t splitAt : {kNoSplit, size / 2}) {
            FailingSource source(file, failAt);
            DetectRunState state;
            state.SetDetectFilePath("log.csv");
            state.PrepareRun();
            EXPECT_EQ(DetectInSource(source, state, 64, splitAt), DetectVerdict::FileNotRead) << failAt;
            EXPECT_EQ(state.Report(), "Detect file log.csv could not be read: Input/output error.") << failAt;
        }
    }
}

TEST(DetectTamperFindings, ListIsCappedAndTheRestCounted)
{
    // Every line's marker is unreadable: one finding per line.
    const int64_t rows = kMaxListedFindings + 4;
    std::string file;
    for (int64_t line = 0; line < rows + 1; ++line) file += "a,\"\"\r\n";
    file += TrailerWithLineEnd(rows, 1);
    const std::string report = RunDetection(file, BufferedReader::kDefaultWindow);
    EXPECT_EQ(report.substr(0, Finding(1).size()), Finding(1));
    const std::string tail =
        Finding(static_cast<int>(kMaxListedFindings)) + "5 further findings are not listed.\r\n";
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);

    // Every row changed, markers intact: checked in two parts, the findings
    // of both join under the same cap, wherever the second part starts.
    auto lines = SplitLines(MakeIntegrityLog(Options([&](LogOptions& o) { o.rows = rows; })));
    for (size_t i = 1; i + 1 < lines.size(); ++i) lines[i][11] = lines[i][11] == '2' ? '3' : '2';
    const std::string changed = JoinLines(lines);
    const std::string whole = RunDetection(changed, BufferedReader::kDefaultWindow);
    EXPECT_EQ(whole.substr(whole.size() - tail.size()),
              Finding(static_cast<int>(kMaxListedFindings) + 1) + "4 further findings are not listed.\r\n");
    for (size_t part : {size_t{3}, size_t{2}}) {
        const auto splitAt = static_cast<int64_t>(changed.size() / part);
        EXPECT_EQ(RunDetection(changed, BufferedReader::kDefaultWindow, splitAt), whole) << splitAt;
    }
    const auto nearCap = static_cast<int64_t>(changed.size() * (kMaxListedFindings - 3) / rows);
    EXPECT_EQ(RunDetection(changed, BufferedReader::kDefaultWindow, nearCap), whole);
}

TEST(DetectTamperFile, MissingAndUnreadablePathsAreReported)
{
    TempFolder folder;
    DetectRunState state;
    state.SetDetectFilePath(folder.Path() + "/none.csv");
    state.Start();
    state.Wait();
    EXPECT_EQ(state.Report(), "Detect file " + folder.Path() + "/none.csv does not exist.");
    EXPECT_EQ(state.Verdict(), DetectVerdict::FileMissing);
    EXPECT_FALSE(state.IsRunning());

    state.SetDetectFilePath(folder.Path());
    state.Start();
    state.Wait();
    EXPECT_EQ(state.Report(), "Detect file " + folder.Path() + " could not be opened.");
    EXPECT_EQ(state.Verdict(), DetectVerdict::FileNotOpened);
}

TEST(DetectTamperFile, FileHeldOpenForWritingNeedsMandatoryLocks)
{
    GTEST_SKIP() << "Linux has no share modes: a file open for writing elsewhere can still be read";
}

TEST(DetectTamperFile, WorkerChecksAFileAndReportsProgress)
{
    TempFolder folder;
    DetectRunState state;
    state.SetDetectFilePath(folder.Write("log.csv", MakeIntegrityLog(Options())));
    state.Start();
    state.Wait();
    EXPECT_EQ(state.Report(), kPassedText);
    EXPECT_FALSE(state.IsRunning());
    EXPECT_DOUBLE_EQ(state.Progress(), 12.0 / 10.0);  // the trailer is line N + 2
    EXPECT_EQ(DetectTamper(nullptr), 1);

    // A log of no rows gives no measure of progress: it stays at 0.
    state.SetDetectFilePath(
        folder.Write("empty.csv", MakeIntegrityLog(Options([](LogOptions& o) { o.rows = 0; }))));
    state.Start();
    state.Wait();
    EXPECT_EQ(state.Report(), kPassedText);
    EXPECT_DOUBLE_EQ(state.Progress(), 0.0);
}

}  // namespace
}  // namespace vettle::test
