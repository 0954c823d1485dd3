#include "logora/engine/vell/VellTagFile.h"

#include <cstring>

#include "logora/engine/common/ByteReader.h"
#include "logora/engine/vell/TagNameText.h"
#include "logora/engine/vell/VellFormat.h"

namespace logora::vell {

namespace {

// Reads `size` bytes at `offset` and moves it past them; false at the end
// of the file or on a read error.
bool readExactly(platform::InputFile& file, uint64_t& offset, void* destination, size_t size)
{
    auto* at = static_cast<uint8_t*>(destination);
    for (size_t got = 0; got < size;) {
        const int64_t read = file.ReadAt(static_cast<int64_t>(offset), at + got, size - got);
        if (read <= 0) return false;
        got += static_cast<size_t>(read);
        offset += static_cast<uint64_t>(read);
    }
    return true;
}

// The text before the first NUL of the field equals the signature (a field
// without a NUL matches nothing).
bool signatureMatches(const uint8_t* field, size_t fieldSize, std::string_view signature)
{
    const void* nul = std::memchr(field, 0, fieldSize);
    if (!nul) return false;
    size_t length = static_cast<size_t>(static_cast<const uint8_t*>(nul) - field);
    return std::string_view(reinterpret_cast<const char*>(field), length) == signature;
}

}  // namespace

VellTagFile ReadVellTagFile(platform::InputFile& file, int codePage)
{
    VellTagFile result;
    uint64_t offset = 0;
    uint8_t header[kTagFileHeaderSize];
    if (!readExactly(file, offset, header, sizeof header)) return result;
    ByteReader reader(header, sizeof header);
    if (!signatureMatches(header, kTagFileSignatureSize, kTagFileSignature) ||
        reader.peekAt<uint16_t>(kTagFileFormatOffset) != kTagFileFormat) {
        return result;
    }
    result.headerValid = true;
    uint16_t count = *reader.peekAt<uint16_t>(kTagCountOffset);

    std::string utf16;
    for (uint16_t i = 0; i < count; ++i) {
        uint8_t lengthBytes[2];
        if (!readExactly(file, offset, lengthBytes, sizeof lengthBytes)) return result;
        utf16.resize(ByteReader::decode<uint16_t>(lengthBytes));
        if (!readExactly(file, offset, utf16.data(), utf16.size())) return result;
        result.names.push_back(TagNameFromUtf16(utf16, kTagNameFieldLength, codePage));
    }
    result.complete = true;
    return result;
}

}  // namespace logora::vell
