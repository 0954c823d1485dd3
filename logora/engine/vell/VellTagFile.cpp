#include "logora/engine/vell/VellTagFile.h"

#include <cstring>

#include "common/bytes/ByteReader.h"
#include "logora/engine/vell/TagNameText.h"
#include "logora/engine/vell/VellFormat.h"

namespace logora::vell {

namespace {

bool readExactly(std::FILE* file, void* destination, size_t size)
{
    return size == 0 || std::fread(destination, 1, size, file) == size;
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

VellTagFile ReadVellTagFile(std::FILE* file, int codePage)
{
    VellTagFile result;
    uint8_t header[kTagFileHeaderSize];
    if (std::fseek(file, 0, SEEK_SET) != 0 || !readExactly(file, header, sizeof header)) return result;
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
        if (!readExactly(file, lengthBytes, sizeof lengthBytes)) return result;
        utf16.resize(ByteReader::decode<uint16_t>(lengthBytes));
        if (!readExactly(file, utf16.data(), utf16.size())) return result;
        result.names.push_back(TagNameFromUtf16(utf16, kTagNameFieldLength, codePage));
    }
    result.complete = true;
    return result;
}

}  // namespace logora::vell
