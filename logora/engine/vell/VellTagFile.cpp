#include "logora/engine/vell/VellTagFile.h"

#include <algorithm>
#include <cstring>

#include "common/bytes/ByteReader.h"
#include "logora/engine/vell/TagNameText.h"
#include "logora/engine/vell/VellFormat.h"

namespace logora::vell {

namespace {

// Reads the file front to back in pieces of 64 KiB: a tag file holds up to
// 65535 names, and two reads of the system per name would cost seconds.
class PieceReader
{
public:
    explicit PieceReader(const common::ByteSource& file) : file_(file), piece_(kPieceSize) {}

    // Copies the next `size` bytes; false at the end of the file or on a
    // read error.
    bool readExactly(void* destination, size_t size)
    {
        auto* at = static_cast<uint8_t*>(destination);
        while (size > 0) {
            if (next_ == end_ && !readPiece()) return false;
            const size_t count = std::min(size, end_ - next_);
            std::memcpy(at, piece_.data() + next_, count);
            next_ += count;
            at += count;
            size -= count;
        }
        return true;
    }

private:
    static constexpr size_t kPieceSize = 1 << 16;

    bool readPiece()
    {
        const int64_t read = file_.ReadAt(piece_.data(), piece_.size(), offset_);
        if (read <= 0) return false;
        offset_ += static_cast<uint64_t>(read);
        next_ = 0;
        end_ = static_cast<size_t>(read);
        return true;
    }

    const common::ByteSource& file_;
    std::vector<uint8_t> piece_;
    uint64_t offset_ = 0;
    size_t next_ = 0;
    size_t end_ = 0;
};

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

VellTagFile ReadVellTagFile(const common::ByteSource& file, int codePage)
{
    VellTagFile result;
    PieceReader input(file);
    uint8_t header[kTagFileHeaderSize];
    if (!input.readExactly(header, sizeof header)) return result;
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
        if (!input.readExactly(lengthBytes, sizeof lengthBytes)) return result;
        utf16.resize(ByteReader::decode<uint16_t>(lengthBytes));
        if (!input.readExactly(utf16.data(), utf16.size())) return result;
        result.names.push_back(TagNameFromUtf16(utf16, kTagNameFieldLength, codePage));
    }
    result.complete = true;
    return result;
}

}  // namespace logora::vell
