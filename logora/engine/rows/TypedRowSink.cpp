#include "logora/engine/rows/TypedRowSink.h"

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/rows/RowBuilder.h"

namespace logora {

TypedRowSink::TypedRowSink(const EngineContext& context, RowWriter& writer, int floatLength, int decimalCount)
    : context_(context), writer_(writer), floatLength_(floatLength), decimalCount_(decimalCount)
{}

TypedRowSink::~TypedRowSink() = default;

void TypedRowSink::BeginRecords(const CDBF& table)
{
    builder_ = std::make_unique<RowBuilder>(table, tags_, tableForm_, floatLength_, decimalCount_,
                                            context_.codePage);
    if (!builder_->Usable()) {
        failure_ = "the table form needs a datalog table (a tag column and a Value column)";
        failed_ = true;
        return;
    }
    failed_ = !writer_.BeginRows(builder_->Layout());
}

void TypedRowSink::TakeTaggedRecord(const uint8_t* record, size_t tag)
{
    if (failed_ || !builder_) return;
    failed_ = !builder_->Take(record, tag, writer_);
}

bool TypedRowSink::Finish(bool complete)
{
    const bool written = complete && builder_ && !failed_ && builder_->End(writer_);
    const bool kept = writer_.Finish(written);
    return written && kept;
}

std::string TypedRowSink::Failure() const
{
    return failure_.empty() ? writer_.Failure() : failure_;
}

int64_t TypedRowSink::RowCount() const
{
    return builder_ ? builder_->Rows() : 0;
}

}  // namespace logora
