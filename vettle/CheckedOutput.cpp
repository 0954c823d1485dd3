#include "vettle/CheckedOutput.h"

#include <cerrno>
#include <system_error>

#include "platform/signals/Interrupts.h"

namespace vettle {

void CheckedOutput::Write(std::string_view text)
{
    if (!failure_.empty()) return;
    errno = 0;
    // A reader that stops reading must not keep Ctrl+C from ending the run.
    platform::EndOnInterrupt endOnInterrupt;
    out_ << text << std::flush;
    if (!out_) failure_ = std::generic_category().message(errno != 0 ? errno : EIO);
}

}  // namespace vettle
