#include "logora/engine/export/CsvOutput.h"

#include <cstring>

namespace logora {

CsvOutput::CsvOutput(platform::OutputFile& file) : file_(file), block_(new char[kBlockSize]) {}

void CsvOutput::Put(const char* bytes, size_t length)
{
    if (used_ + length > kBlockSize) Flush();
    if (length > kBlockSize) {
        file_.Write(bytes, length);
        return;
    }
    std::memcpy(block_.get() + used_, bytes, length);
    used_ += length;
}

char* CsvOutput::Reserve(size_t length)
{
    if (length > kBlockSize) return nullptr;
    if (used_ + length > kBlockSize) Flush();
    return block_.get() + used_;
}

void CsvOutput::Flush()
{
    if (used_ > 0) file_.Write(block_.get(), used_);
    used_ = 0;
}

}  // namespace logora
