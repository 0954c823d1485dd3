#pragma once
// Builds dBASE table bytes by hand, the way other programs lay them out, so
// that reading can be tested against tables CDBF did not write.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace logora::testing {

struct BuiltField
{
    std::string name;
    char type;
    uint8_t length;
    uint8_t decimals = 0;
    uint32_t storedDisplacement = 0;  // what the descriptor claims; many writers leave 0
};

class DBFBytesBuilder
{
public:
    DBFBytesBuilder& field(BuiltField f)
    {
        fields_.push_back(std::move(f));
        return *this;
    }
    // Record count stated in the header, when it should differ from the
    // records added.
    DBFBytesBuilder& statedRecordCount(uint32_t count)
    {
        statedCount_ = count;
        hasStatedCount_ = true;
        return *this;
    }
    // Bytes between the terminator and the first record, counted in the
    // header length.
    DBFBytesBuilder& headerPadding(size_t count)
    {
        padding_ = count;
        return *this;
    }
    // One record: the deletion flag and each field's bytes, padded with
    // `pad` (spaces for most writers) or cut to the field length.
    DBFBytesBuilder& record(const std::vector<std::string>& values, char flag = ' ', char pad = ' ')
    {
        std::string bytes(1, flag);
        for (size_t i = 0; i < fields_.size(); ++i) {
            std::string value = i < values.size() ? values[i] : std::string();
            value.resize(fields_[i].length, pad);
            bytes += value;
        }
        records_.push_back(bytes);
        return *this;
    }
    DBFBytesBuilder& endOfFileMark(bool present)
    {
        endMark_ = present;
        return *this;
    }

    uint16_t recordLength() const
    {
        uint16_t length = 1;
        for (const BuiltField& f : fields_) length = static_cast<uint16_t>(length + f.length);
        return length;
    }
    uint16_t headerLength() const { return static_cast<uint16_t>(32 + 32 * fields_.size() + 1 + padding_); }

    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> out(32, 0);
        out[0] = 0x03;
        out[1] = 126;  // some writers store years since 1900
        out[2] = 12;
        out[3] = 8;
        const uint32_t count = hasStatedCount_ ? statedCount_ : static_cast<uint32_t>(records_.size());
        put32(out, 4, count);
        put16(out, 8, headerLength());
        put16(out, 10, recordLength());
        out[29] = 0x57;  // a language driver byte in the reserved area
        for (const BuiltField& f : fields_) {
            std::vector<uint8_t> descriptor(32, 0);
            std::memcpy(descriptor.data(), f.name.data(), std::min<size_t>(f.name.size(), 11));
            descriptor[11] = static_cast<uint8_t>(f.type);
            put32(descriptor, 12, f.storedDisplacement);
            descriptor[16] = f.length;
            descriptor[17] = f.decimals;
            out.insert(out.end(), descriptor.begin(), descriptor.end());
        }
        out.push_back(0x0D);
        out.insert(out.end(), padding_, 0);
        for (const std::string& r : records_) out.insert(out.end(), r.begin(), r.end());
        if (endMark_) out.push_back(0x1A);
        return out;
    }

private:
    static void put16(std::vector<uint8_t>& v, size_t at, uint16_t x)
    {
        v[at] = x & 0xFF;
        v[at + 1] = x >> 8;
    }
    static void put32(std::vector<uint8_t>& v, size_t at, uint32_t x)
    {
        for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
    }

    std::vector<BuiltField> fields_;
    std::vector<std::string> records_;
    uint32_t statedCount_ = 0;
    bool hasStatedCount_ = false;
    size_t padding_ = 0;
    bool endMark_ = true;
};

}  // namespace logora::testing
