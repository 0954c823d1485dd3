#pragma once
// Shared pieces of the export tests: tables laid out byte by byte, raw binary
// values, and one export run from table to text.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "TestContext.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "tests/logora/dbf/DBFBytesBuilder.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora::testing {

inline std::string RawDouble(double value)
{
    uint64_t bits = std::bit_cast<uint64_t>(value);
    std::string bytes;
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::string RawInt32(int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::string TextOf(const std::string& path)
{
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// The columns of a Vell datalog table.
inline DBFBytesBuilder DatalogTable()
{
    DBFBytesBuilder table;
    table.field({"Date", 'D', 8})
        .field({"Time", 'C', 8})
        .field({"Millitm", 'N', 3})
        .field({"Marker", 'C', 1})
        .field({"TagIndex", 'C', 10})
        .field({"Status", 'C', 1})
        .field({"Value", 'C', 8});
    return table;
}

inline std::vector<std::string> DatalogRecord(const std::string& date, const std::string& time,
                                              const std::string& millitm, const std::string& tag,
                                              double value)
{
    return {date, time, millitm, "B", tag, "0", RawDouble(value)};
}

// Cancels once `limit` records were reported done.
class CancelAfter : public ControlProcess
{
public:
    explicit CancelAfter(uint32_t limit) : limit_(limit) {}
    void SetProgress(uint32_t, uint32_t done) override { done_ = done; }
    bool IsCancelled() override { return done_ >= limit_; }
    void SetMessage(const std::string&) override {}

private:
    uint32_t limit_;
    uint32_t done_ = 0;
};

enum class Form { List, Table };

struct ExportRun
{
    bool result = false;
    std::string text;
};

// Writes `table` to a file, exports it in `form` and returns the CSV text;
// failures are reported to `context`.
inline ExportRun Export(const EngineContext& context, const ScratchDir& scratch, const DBFBytesBuilder& table,
                        Form form, const std::vector<std::string>& tags = {},
                        ControlProcess* progress = nullptr)
{
    std::string source = scratch.file("table.dbf");
    std::string target = scratch.file("out.csv");
    WriteWholeFile(source, table.bytes());
    ConsoleProgress console;
    ControlProcess& reporter = progress != nullptr ? *progress : console;
    ExportRun run;
    {
        CConvertDBFToCSV exporter(context, 17, 8);
        exporter.OpenSource(source);
        exporter.CreateOutput(target);
        exporter.TagList() = tags;
        run.result = form == Form::List ? exporter.ExportList(reporter) : exporter.ExportTable(reporter);
    }
    run.text = TextOf(target);
    return run;
}

inline ExportRun Export(const ScratchDir& scratch, const DBFBytesBuilder& table, Form form,
                        const std::vector<std::string>& tags = {}, ControlProcess* progress = nullptr)
{
    test::TestContext context;
    return Export(context, scratch, table, form, tags, progress);
}

}  // namespace logora::testing
