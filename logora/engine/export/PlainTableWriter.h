#pragma once
// Writes the plain dBASE table of the records it takes: the raw binary values
// of a loaded table become ordinary text fields (PlainFieldPlan), every other
// field is copied. The layout comes with the first record: the header of the
// table the records belong to, with its record count unless told otherwise.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logora/engine/convert/OutputSink.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/PlainFieldPlan.h"
#include "platform/files/ReplacementFile.h"

namespace logora {

class RunState;

class PlainTableWriter : public OutputSink
{
public:
    // Values in the float format given; failed mappings go to `reportError`.
    PlainTableWriter(const MappingErrorSink& reportError, int floatLength, int floatDecimals);
    ~PlainTableWriter() override;

    // Creates the table at `path`, replacing the file there.
    bool Create(const std::string& path);
    // The record count the header states, in place of the source table's.
    void SetRecordCount(uint32_t count) { recordCount_ = count; }
    void BeginRecords(const CDBF& table) override;
    void TakeRecord(const uint8_t* record) override;
    // Writes out what was taken; false when the layout could not be planned
    // (a record longer than a dBASE record) or any byte could not be written.
    bool End();

    // The output beside its target (ReplacementFile), for a stream; a write
    // failure is reported to `run`, naming the target.
    void ReportWriteFailuresTo(RunState& run) { run_ = &run; }
    bool Prepare(const std::string& path) override;
    bool Finish(bool complete) override;

private:
    MappingErrorSink reportError_;
    int floatLength_;
    int floatDecimals_;
    std::optional<uint32_t> recordCount_;
    std::unique_ptr<CDBF> output_;
    std::vector<PlainField> plan_;
    uint32_t sourceLength_ = 0;
    // The source record, zero-extended so that a field reaching past the
    // record length reads zeros instead of the next record.
    std::vector<uint8_t> sourceRecord_;
    std::vector<char> record_;
    bool failed_ = false;
    platform::ReplacementFile replacement_;
    RunState* run_ = nullptr;
};

}  // namespace logora
