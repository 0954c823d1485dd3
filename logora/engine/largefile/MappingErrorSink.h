#pragma once
// Where a failed file mapping is reported. The run state routes it to its
// error report (a message box in the viewer, the error log in command-line
// mode); until then it goes to standard error.

#include <functional>
#include <string>

namespace logora {

// `detail` names the file and what was being done with it.
using MappingErrorSink =
    std::function<void(const std::string& caption, const std::string& text, const std::string& detail)>;

// Replaces the sink; an empty sink restores the standard-error default.
void SetMappingErrorSink(MappingErrorSink sink);

// Reports the system error `code` with caption "Error" and the text
// " failed with error %d: %s", with `detail` beside it.
void ReportMappingError(int code, const std::string& detail);

}  // namespace logora
