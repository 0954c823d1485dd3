#pragma once
// Builders of Vell datalogs and tag files, for the tests, the fuzz seeds,
// run.sh and the benchmark. Written from the format description; they never
// read a datalog.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace vellgen {

// One record as it is stored (16 bytes).
struct LogRecord
{
    uint32_t time = 0;
    int32_t milliseconds = 0;
    uint16_t tagNumber = 1;
    uint16_t flags = 0;
    uint8_t value[4] = {};
};

LogRecord Int32Record(uint32_t time, int32_t ms, uint16_t tag, int32_t value, uint16_t extraFlags = 0);
LogRecord Int16Record(uint32_t time, int32_t ms, uint16_t tag, int16_t value, uint16_t extraFlags = 0);
LogRecord SingleRecord(uint32_t time, int32_t ms, uint16_t tag, float value, uint16_t extraFlags = 0);
// Value types 4 to 7 carry no value; `type` selects which.
LogRecord NoValueRecord(uint32_t time, int32_t ms, uint16_t tag, uint16_t type, uint32_t rawValue);

struct DatalogHeader
{
    int32_t count = 0;   // N
    int32_t oldest = 0;  // S
    int32_t newest = 0;  // E
    uint16_t format = 14;
    std::string signature = "Plivanterra datalogger data file.";
};

// The 52 header bytes.
std::vector<uint8_t> DatalogHeaderBytes(const DatalogHeader& header);

// A datalog whose ring holds `slots` in file order. With `oldest` > `newest`
// the ring has wrapped. The header's count is the number of slots.
std::vector<uint8_t> BuildDatalog(const std::vector<LogRecord>& slots, int32_t oldest, int32_t newest);
std::vector<uint8_t> BuildDatalog(const DatalogHeader& header, const std::vector<LogRecord>& slots);

void AppendRecord(std::vector<uint8_t>& out, const LogRecord& record);

struct TagFileOptions
{
    uint16_t format = 89;
    std::string signature = "Plivanterra datalogger tag file.";
    // The announced count; -1: the number of names.
    int32_t announcedCount = -1;
};

// A tag file of the given UTF-16 names.
std::vector<uint8_t> BuildTagFile(const std::vector<std::u16string>& names,
                                  const TagFileOptions& options = {});

// A plain string path is taken in the system's narrow encoding, as a command
// line gives it; tests pass UTF-8 as char8_t.
bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// The records of a plausible datalog: `tags` tags logged in turn, one value a
// second from `start`, every value type and flag in rotation.
LogRecord PatternRecord(uint64_t sequence, uint16_t tags, uint32_t start);

// Streams a datalog of `count` pattern records (a wrapped ring when `wrapAt`
// lies in 1 .. count-1: the oldest record then sits at slot `wrapAt`) into
// `path` without holding it in memory.
bool WritePatternDatalog(const std::string& path, int32_t count, int32_t wrapAt, uint16_t tags,
                         uint32_t start);

// Tag names with characters outside ASCII ("Temperatur Kessel Ä", Greek,
// Cyrillic, Japanese and one name longer than the name column).
std::vector<std::u16string> SampleTagNames(uint16_t count);

}  // namespace vellgen
