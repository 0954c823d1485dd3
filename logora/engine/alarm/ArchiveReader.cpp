#include "logora/engine/alarm/ArchiveReader.h"

#include "logora/engine/text/CodePage.h"

namespace logora {

namespace {

constexpr uint8_t kLongerLength8 = 0xFF;
constexpr uint16_t kWideMark = 0xFFFE;
constexpr uint16_t kLongerLength16 = 0xFFFF;
constexpr uint16_t kLongerCount = 0xFFFF;

}  // namespace

bool ArchiveReader::Fail()
{
    failed_ = true;
    return false;
}

bool ArchiveReader::ReadInt(int32_t& value)
{
    auto read = reader_.i32();
    if (failed_ || !read) return Fail();
    value = *read;
    return true;
}

bool ArchiveReader::ReadByte(uint8_t& value)
{
    auto read = reader_.u8();
    if (failed_ || !read) return Fail();
    value = *read;
    return true;
}

bool ArchiveReader::ReadCount(uint32_t& count)
{
    auto count16 = reader_.u16();
    if (failed_ || !count16) return Fail();
    if (*count16 != kLongerCount) {
        count = *count16;
        return true;
    }
    auto count32 = reader_.u32();
    if (!count32) return Fail();
    count = *count32;
    return true;
}

bool ArchiveReader::ReadRecordCount(uint32_t& count, size_t minRecordBytes)
{
    if (!ReadCount(count)) return false;
    if (minRecordBytes > 0 && count > Remaining() / minRecordBytes) return Fail();
    return true;
}

bool ArchiveReader::ReadStringLength(uint32_t& length, bool& wide)
{
    wide = false;
    for (;;) {
        auto length8 = reader_.u8();
        if (!length8) return Fail();
        if (*length8 != kLongerLength8) {
            length = *length8;
            return true;
        }
        auto length16 = reader_.u16();
        if (!length16) return Fail();
        if (*length16 == kWideMark && !wide) {
            wide = true;  // a new prefix of the same kind follows, once
            continue;
        }
        if (*length16 != kLongerLength16) {
            length = *length16;
            return true;
        }
        auto length32 = reader_.u32();
        if (!length32) return Fail();
        length = *length32;
        return true;
    }
}

bool ArchiveReader::ReadString(std::string& text)
{
    uint32_t length = 0;
    bool wide = false;
    if (failed_ || !ReadStringLength(length, wide)) return Fail();
    const uint64_t byteCount = static_cast<uint64_t>(length) * (wide ? 2 : 1);
    if (byteCount > Remaining()) return Fail();
    auto bytes = reader_.bytes(static_cast<size_t>(byteCount));
    if (!bytes) return Fail();
    if (!wide) {
        text.assign(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        return true;
    }
    std::u16string utf16(length, u'\0');
    for (uint32_t i = 0; i < length; ++i) utf16[i] = ByteReader::decode<char16_t>(bytes->data() + 2 * i);
    text = FromUtf16(utf16, codePage_);
    return true;
}

}  // namespace logora
