#pragma once
// A record sink for harnesses that convert from memory: each record is
// formatted into its list-form CSV line, as the export formats it, and the
// line is dropped, so the export's formatting is fuzzed without an output
// file.

#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/common/FuzzContext.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/ListLineFormatter.h"

namespace fuzzsupport {

class FormattedRecords final : public logora::DBFRecordSink
{
public:
    void BeginRecords(const logora::CDBF& table) override
    {
        const logora::EngineContext& context = FuzzContext();
        plan_ = logora::PlanColumns(table, context.options.floatLength, context.options.decimalCount);
        line_ = std::make_unique<logora::ListLineFormatter>(plan_, context.options.floatLength,
                                                            context.options.decimalCount, context.codePage);
        text_.resize(plan_.maxLineLength);
    }
    void TakeRecord(const uint8_t* record) override { line_->Format(record, text_.data()); }

private:
    logora::ColumnPlan plan_;
    std::unique_ptr<logora::ListLineFormatter> line_;
    std::vector<char> text_;
};

}  // namespace fuzzsupport
