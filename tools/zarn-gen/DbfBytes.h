#pragma once
// Minimal dBASE table byte builder for generated samples. It writes the file
// layout directly (not through the engine's table class) so that tests can
// check the engine against an independent writer and can damage the bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace logora::zarngen {

struct DbfFieldSpec
{
    std::string name;
    char type = 'C';
    uint8_t length = 1;
    uint8_t decimals = 0;
};

// 1 + the sum of the field lengths.
uint32_t DbfRecordLength(const std::vector<DbfFieldSpec>& fields);

// Header, field descriptors (displacements from 1) and the 0x0D terminator.
std::vector<uint8_t> DbfHeaderBytes(const std::vector<DbfFieldSpec>& fields, uint32_t recordCount);

// One record in the layout of `fields`: deletion flag 0x20, fields filled with
// NUL bytes until set.
class DbfRecord
{
public:
    explicit DbfRecord(const std::vector<DbfFieldSpec>& fields);

    void SetText(size_t field, const std::string& text);  // left-aligned, NUL padded, cut
    void SetNumber(size_t field, double value);           // right-aligned "%*.*f" (decimals of the field)
    void SetRawDouble(size_t field, double value);        // 8 little-endian bytes
    void SetRawInt32(size_t field, int32_t value);        // 4 little-endian bytes
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    uint8_t* FieldStart(size_t field);

    const std::vector<DbfFieldSpec>& fields_;
    std::vector<uint32_t> displacements_;
    std::vector<uint8_t> bytes_;
};

}  // namespace logora::zarngen
