#include "logora/engine/obf/CConvertObfToDbf.h"

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/export/KeyedLineStage.h"
#include "logora/engine/obf/ObfInPlace.h"
#include "logora/engine/obf/ObfLineFields.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

CConvertObfToDbf::CConvertObfToDbf(const EngineContext& context)
    : context_(context), input_(context.run.MappingErrors())
{}

void CConvertObfToDbf::Refuse(const std::string& detail) const
{
    throw ConversionError(ConversionError::Kind::Refused, inputPath_, ConversionError::kNoMessage, detail);
}

void CConvertObfToDbf::SetFloatFormat(int floatLength, int decimalCount)
{
    floatLength_ = floatLength;
    decimalCount_ = decimalCount;
}

bool CConvertObfToDbf::Open(const std::string& path)
{
    inputPath_ = path;
    if (!input_.OpenRead(inputPath_) || !input_.ReadFieldDescriptors()) Refuse(input_.GetFailure());
    CheckLayout();
    fromFile_ = true;
    return true;
}

void CConvertObfToDbf::OpenMemory(std::span<const uint8_t> bytes, const std::string& name)
{
    inputPath_ = name;
    if (!input_.OpenMemory(bytes, name) || !input_.ReadFieldDescriptors()) Refuse(input_.GetFailure());
    CheckLayout();
}

void CConvertObfToDbf::CheckLayout() const
{
    // The layout is chosen by the first column's length: without a column
    // there is no layout, and records too short for it cannot be read.
    if (input_.GetFieldCount() == 0) {
        Refuse(inputPath_ + ": header length " + std::to_string(input_.GetHeaderLength()) +
               " leaves no room for a column descriptor; the record layout needs the first column");
    }
    const ObfLayout layout(input_.GetField(0).length);
    if (input_.GetRecordLength() < layout.RequiredBytes()) {
        Refuse(inputPath_ + ": records of " + std::to_string(input_.GetRecordLength()) +
               " bytes, but a first column of " + std::to_string(input_.GetField(0).length) +
               " bytes needs records of " + std::to_string(layout.RequiredBytes()));
    }
}

void CConvertObfToDbf::Declare(CDBF& table)
{
    tableLayout_ = {ObfLayout(input_.GetField(0).length), input_.GetRecordLength(), floatLength_,
                    decimalCount_};
    recordCount_ = static_cast<uint32_t>(input_.GetRecordCount());
    tableLayout_.Declare(table);
    table.WriteHeader(recordCount_);
}

void CConvertObfToDbf::Run(CDBF& table)
{
    Run(table, *context_.OpenProgress(std::string(LoadString(strings::ConvertingLogCaption)),
                                      FormatString(strings::ConvertingFile, inputPath_)));
}

void CConvertObfToDbf::Run(CDBF& table, ControlProcess& progress)
{
    const uint32_t recordLength = input_.GetRecordLength();
    progress.SetMessage(FormatString(strings::ConvertingFile, inputPath_));

    // An export on several threads builds the records there; otherwise
    // they are built here, by the same maker.
    ItemIntake* intake = table.TakeItemsOf(*this);
    ItemsEnd itemsEnd(intake);
    ObfRecordMaker maker(tableLayout_, table);
    // Records that are their items whole go over in runs.
    const bool wholeRecords = tableLayout_.ItemLength() == recordLength;
    const auto handOver = [&](const uint8_t* records, size_t count) {
        if (intake != nullptr)
            intake->TakeItems(records, count);
        else
            maker.Make(records, count);
    };
    uint32_t converted = 0;
    bool cancelled = false;
    while (converted < recordCount_ && !cancelled) {
        const uint8_t* bytes = nullptr;
        const int64_t run = input_.ReadRecords(converted, recordCount_ - converted, &bytes);
        if (run == 0 || !bytes) break;
        // A cancel ends the conversion after the record it came with.
        size_t taken = 0;
        while (taken < size_t(run) && !cancelled) {
            progress.SetProgress(recordCount_, ++converted);
            cancelled = progress.IsCancelled();
            ++taken;
        }
        if (wholeRecords) {
            handOver(bytes, taken);
        } else {
            for (size_t i = 0; i < taken; ++i) handOver(bytes + i * recordLength, 1);
        }
    }
    itemsEnd.Now();
    const uint8_t endOfFile = kDBFEndOfFile;
    table.WriteBytes(&endOfFile, 1);
    CompleteTable(table, inputPath_);
    if (!cancelled && converted < recordCount_) StopShort(converted);
}

void CConvertObfToDbf::StopShort(uint32_t converted) const
{
    throw ConversionError::Stopped(
        inputPath_, inputPath_ + ": the header announces " + std::to_string(recordCount_) + " records of " +
                        std::to_string(input_.GetRecordLength()) + " bytes, but the file holds only " +
                        std::to_string(converted) + " (" + std::to_string(recordCount_ - converted) +
                        " missing)")
        .AtRecord(converted);
}

// Every record the datalog holds is there to read: nothing is read before.
bool CConvertObfToDbf::ReadInPlace(std::shared_ptr<InPlaceTable>& table)
{
    if (!fromFile_) return false;
    MadeTableShape shape = DeclaredShape();
    const auto held = static_cast<uint32_t>(input_.GetRecordsHeld());
    shape.recordsHeld = held;
    shape.endMark = true;
    LastRecord last;
    if (const uint8_t* bytes = nullptr; held > 0 && input_.ReadRecord(held - 1, &bytes)) {
        last.offset = input_.GetHeaderLength() + uint64_t(held - 1) * input_.GetRecordLength();
        last.bytes.assign(bytes, bytes + input_.GetRecordLength());
    }
    table = ObfTableInPlace(inputPath_, tableLayout_, std::move(shape), std::move(last),
                            context_.run.MappingErrors());
    if (held < recordCount_) StopShort(held);
    return true;
}

std::unique_ptr<RecordMaker> CConvertObfToDbf::MakerFor(DBFRecordSink& sink) const
{
    return std::make_unique<ObfRecordMaker>(tableLayout_, sink);
}

std::unique_ptr<RecordStage> CConvertObfToDbf::ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const
{
    return std::make_unique<KeyedLineStage<ObfLineFields>>(std::make_unique<ObfLineFields>(tableLayout_),
                                                           std::move(lines));
}

}  // namespace logora
