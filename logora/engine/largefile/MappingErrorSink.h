#pragma once
// Where a failed file mapping is reported. Each file's owner hands its
// reader the reporter of the run state it was given (a message box in the
// viewer, the error log in command-line mode); a reader without one writes to
// standard error.

#include <functional>
#include <string>

namespace logora {

// `detail` names the file and what was being done with it.
using MappingErrorSink =
    std::function<void(const std::string& caption, const std::string& text, const std::string& detail)>;

// The text of the system error `code`: " failed with error %d: %s".
std::string MappingErrorText(int code);

// Reports the system error `code` with caption "Error" and MappingErrorText,
// with `detail` beside it, to `sink`, or to standard error when it is empty.
void ReportMappingError(const MappingErrorSink& sink, int code, const std::string& detail);

}  // namespace logora
