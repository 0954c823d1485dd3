#include "logora/engine/export/TableFormLine.h"

#include <algorithm>
#include <cstring>

#include "common/bytes/ByteGroups.h"
#include "common/text/AsciiCase.h"
#include "logora/engine/export/CsvOutput.h"

namespace logora {

TableFormLine::TableFormLine(size_t tagCount, size_t maxKeyLength, size_t maxFieldLength)
    : tagCount_(tagCount),
      maxKeyLength_(maxKeyLength),
      maxFieldLength_(maxFieldLength),
      key_(new char[maxKeyLength + 1]),
      fields_(new char[tagCount * maxFieldLength + 1]),
      fieldLengths_(new size_t[tagCount + 1]())
{}

bool TableFormLine::HasKey(std::string_view key) const
{
    return common::EqualsIgnoringAsciiCase(key, std::string_view(key_.get(), keyLength_));
}

void TableFormLine::Open(std::string_view key)
{
    std::memcpy(key_.get(), key.data(), key.size());
    keyLength_ = key.size();
    std::fill_n(fieldLengths_.get(), tagCount_, size_t{0});
    open_ = true;
}

void TableFormLine::Write(CsvOutput& output, bool withLineEnd)
{
    output.Put(key_.get(), keyLength_);
    for (size_t tag = 0; tag < tagCount_; ++tag) {
        output.Put(Field(tag), fieldLengths_[tag]);
        output.Put(",", 1);
    }
    if (withLineEnd) output.Put("\r\n", 2);
    open_ = false;
}

size_t TableFormLine::WriteTo(char* output)
{
    char* at = output;
    std::memcpy(at, key_.get(), keyLength_);
    at += keyLength_;
    for (size_t tag = 0; tag < tagCount_; ++tag) {
        CopyFewBytes(at, Field(tag), fieldLengths_[tag]);
        at += fieldLengths_[tag];
        *at++ = ',';
    }
    open_ = false;
    return static_cast<size_t>(at - output);
}

}  // namespace logora
