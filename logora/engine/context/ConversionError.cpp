#include "logora/engine/context/ConversionError.h"

#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

ConversionError::ConversionError(Kind kind, std::string file, uint32_t messageId, std::string detail)
    : std::runtime_error(detail),
      kind(kind),
      file(std::move(file)),
      messageId(messageId),
      detail(std::move(detail))
{}

ConversionError ConversionError::Stopped(std::string file, std::string detail)
{
    return ConversionError(Kind::Stopped, std::move(file), strings::ConvertLogFileError, std::move(detail));
}

ConversionError ConversionError::TableUnwritten(const std::string& input, const std::string& failure)
{
    return ConversionError(Kind::TableUnwritten, input, strings::ConvertLogFileError,
                           input + ": the conversion stopped: " + failure);
}

ConversionError& ConversionError::AtRecord(uint64_t index)
{
    record = index;
    return *this;
}

ConversionError& ConversionError::AtOffset(uint64_t bytes)
{
    offset = bytes;
    return *this;
}

ConversionError& ConversionError::ThenReport(uint32_t id)
{
    closingMessageId = id;
    return *this;
}

void ConversionError::ReportTo(RunState& run) const
{
    if (messageId == kNoMessage)
        run.ReportDetail(detail);
    else
        run.ReportFailure(messageId, file, detail);
    if (closingMessageId != kNoMessage) run.ReportError(closingMessageId);
}

}  // namespace logora
