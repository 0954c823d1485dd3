#include "vettle/CheckedOutput.h"

#include <cerrno>
#include <system_error>

namespace vettle {

void CCheckedOutput::Write(std::string_view text)
{
    if (!failure_.empty()) return;
    errno = 0;
    out_ << text << std::flush;
    if (!out_) failure_ = std::generic_category().message(errno != 0 ? errno : EIO);
}

}  // namespace vettle
