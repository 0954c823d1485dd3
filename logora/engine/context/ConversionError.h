#pragma once
// The one failure of a reader or converter: what kind of failure, the file and
// where in it, the numbered text and the detail line that say so. Readers and
// converters throw it; the document catches it in one place, reports it and
// lets the kind decide what stays loaded.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace logora {

class RunState;

class ConversionError : public std::runtime_error
{
public:
    enum class Kind {
        // The input cannot be converted; nothing is loaded.
        Refused,
        // A fault part way through the input: the table holds the records
        // before it, and the conversion counts as incomplete.
        Stopped,
        // The table could not be written completely; nothing is loaded.
        TableUnwritten,
    };
    static constexpr uint32_t kNoMessage = 0;

    // `detail` names the file and what is wrong with it, as reported.
    ConversionError(Kind kind, std::string file, uint32_t messageId, std::string detail);

    // "Convert log file error" with the detail: the records before the fault were written.
    static ConversionError Stopped(std::string file, std::string detail);
    // "Convert log file error": the table built from `input` could not be
    // written, for the system's reason `failure`.
    static ConversionError TableUnwritten(const std::string& input, const std::string& failure);

    ConversionError& AtRecord(uint64_t index);
    ConversionError& AtOffset(uint64_t bytes);
    // A numbered text reported on its own after the detail.
    ConversionError& ThenReport(uint32_t id);

    // The numbered text (its "%s" naming the file) with the detail beside
    // it, or the detail alone; then the closing text.
    void ReportTo(RunState& run) const;

    Kind kind;
    // The file as the numbered text names it.
    std::string file;
    std::optional<uint64_t> record;
    std::optional<uint64_t> offset;
    uint32_t messageId;
    std::string detail;
    uint32_t closingMessageId = kNoMessage;
};

}  // namespace logora
