#pragma once
// The open line of the table form: its key text (the key columns' texts, each
// followed by ",") and one value field per tag. All storage is sized once, so
// the record loop does not allocate.

#include <cstddef>
#include <memory>
#include <string_view>

namespace logora {

class CsvOutput;

class TableFormLine
{
public:
    TableFormLine(size_t tagCount, size_t maxKeyLength, size_t maxFieldLength);

    bool IsOpen() const { return open_; }
    // True when `key` equals the open line's key without regard to ASCII case.
    bool HasKey(std::string_view key) const;
    // Opens a line for `key` with every tag field empty.
    void Open(std::string_view key);
    // Room for the text of tag `tag`'s field, maxFieldLength bytes.
    char* Field(size_t tag) { return fields_.get() + tag * maxFieldLength_; }
    void SetFieldLength(size_t tag, size_t length) { fieldLengths_[tag] = length; }
    // Writes the line, with a line end when `withLineEnd`, and closes it.
    void Write(CsvOutput& output, bool withLineEnd);
    // The same into `output` (room for MaxLength bytes) without a line end;
    // the bytes written.
    size_t WriteTo(char* output);
    size_t MaxLength() const { return maxKeyLength_ + tagCount_ * (maxFieldLength_ + 1); }

private:
    size_t tagCount_;
    size_t maxKeyLength_;
    size_t maxFieldLength_;
    std::unique_ptr<char[]> key_;
    size_t keyLength_ = 0;
    std::unique_ptr<char[]> fields_;
    std::unique_ptr<size_t[]> fieldLengths_;
    bool open_ = false;
};

}  // namespace logora
