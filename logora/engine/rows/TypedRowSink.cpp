#include "logora/engine/rows/TypedRowSink.h"

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/convert/RecordThreads.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/ExportThreads.h"
#include "logora/engine/rows/EncodedRows.h"
#include "logora/engine/rows/RowBuilder.h"

namespace logora {

namespace {

// About the bytes a packed row of a datalog takes, to size the ring's blocks.
constexpr size_t kTypicalPackedRow = 160;

}  // namespace

TypedRowSink::TypedRowSink(const EngineContext& context, RowWriter& writer, int floatLength, int decimalCount)
    : context_(context), writer_(writer), floatLength_(floatLength), decimalCount_(decimalCount)
{}

TypedRowSink::~TypedRowSink() = default;

void TypedRowSink::BeginRecords(const CDBF& table)
{
    builder_ = std::make_unique<RowBuilder>(table, tags_, tableForm_, floatLength_, decimalCount_,
                                            context_.codePage, columnChoice_);
    if (!builder_->Usable()) {
        failure_ = "the table form needs a datalog table (a tag column and a Value column)";
        failed_ = true;
        return;
    }
    failed_ = !writer_.BeginRows(builder_->Layout());
    const unsigned threads = ExportThreadsFor(context_.options.exportThreads);
    if (failed_ || tableForm_ || threads < 2) return;
    // The calling thread reads; the others build the rows.
    const RowColumns& columns = builder_->Columns();
    unpacker_ = std::make_unique<RowUnpacker>(columns, writer_);
    threads_ = std::make_unique<RecordThreads>(
        table.GetRecordLength(), kTypicalPackedRow,
        [&columns] { return std::make_unique<RowPacker>(columns); }, threads - 1,
        [this](const char* bytes, size_t length) { unpacker_->Write(bytes, length); });
}

void TypedRowSink::TakeTaggedRecord(const uint8_t* record, size_t tag)
{
    if (failed_ || !builder_) return;
    if (threads_) {
        threads_->Add(record);
        return;
    }
    failed_ = !builder_->Take(record, tag, writer_);
}

ItemIntake* TypedRowSink::TakeItemsOf(const RecordMaking& making)
{
    return failed_ || !threads_ ? nullptr : threads_->TakeItemsOf(making);
}

bool TypedRowSink::Finish(bool complete)
{
    if (threads_) {
        if (complete && !failed_) threads_->Finish();
        threads_.reset();
        failed_ = failed_ || unpacker_->Failed();
    }
    const bool written = complete && builder_ && !failed_ && builder_->End(writer_);
    const bool kept = writer_.Finish(written);
    return written && kept;
}

std::string TypedRowSink::Failure() const
{
    return failure_.empty() ? writer_.Failure() : failure_;
}

}  // namespace logora
