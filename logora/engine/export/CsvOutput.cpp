#include "logora/engine/export/CsvOutput.h"

#include <cstring>

namespace logora {

CsvOutput::CsvOutput(CLargeFile& file) : file_(file), block_(new char[kBlockSize]) {}

void CsvOutput::Put(const char* bytes, size_t length)
{
    if (used_ + length > kBlockSize) Flush();
    if (length > kBlockSize) {
        AppendToFile(bytes, length);
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
    AppendToFile(block_.get(), used_);
    used_ = 0;
}

void CsvOutput::AppendToFile(const char* bytes, size_t length)
{
    while (length > 0) {
        uint32_t piece = static_cast<uint32_t>(length < kBlockSize ? length : kBlockSize);
        file_.Append(bytes, piece);
        bytes += piece;
        length -= piece;
    }
}

}  // namespace logora
