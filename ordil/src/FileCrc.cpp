// 16-bit file checksum (CRC-16/ARC without final inversion) over the file as
// the callers' C library reads it in text mode: CR LF pairs count as LF and a
// 0x1A byte ends the data, so checksums stored by other programs keep matching.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/NativePath.h"
#include "platform/files/InputFile.h"

#include <array>
#include <string>
#include <vector>

using namespace ordil;

namespace {

constexpr std::array<uint16_t, 256> makeCrcTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = uint16_t(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = makeCrcTable();
static_assert(kCrcTable[1] == 0xC0C1);

// Feeds bytes through the text-mode translation into the checksum.
class TextModeCrc
{
public:
    // Returns false once the end-of-data byte has been seen.
    bool feed(const unsigned char* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            unsigned char byte = data[i];
            if (pendingCr_) {
                pendingCr_ = false;
                if (byte == '\n') {
                    add('\n');
                    continue;
                }
                add('\r');
            }
            if (byte == 0x1A) return false;
            if (byte == '\r')
                pendingCr_ = true;
            else
                add(byte);
        }
        return true;
    }

    uint16_t finish()
    {
        if (pendingCr_) add('\r');
        pendingCr_ = false;
        return crc_;
    }

private:
    void add(unsigned char byte) { crc_ = uint16_t(kCrcTable[(crc_ ^ byte) & 0xFF] ^ (crc_ >> 8)); }

    uint16_t crc_ = 0;
    bool pendingCr_ = false;
};

// Reads the whole file; false on a read or close error.
bool checksumFile(platform::InputFile& file, uint16_t& checksum)
{
    TextModeCrc crc;
    std::vector<unsigned char> block(65536);
    bool complete = true;
    while (true) {
        int64_t got = file.Read(block.data(), block.size());
        if (got < 0) complete = false;
        if (got <= 0 || !crc.feed(block.data(), size_t(got))) break;
    }
    checksum = crc.finish();
    return file.Close() && complete;
}

}  // namespace

extern "C" int UtlFileCRC(const char16_t* path, uint16_t* checksum)
{
    return guarded(0, [&] {
        std::string native;
        if (!path || !checksum || !toNativePath(path, native)) return 0;
        // Only a regular file: a pipe would wait for a writer, a device such
        // as /dev/zero would be read without end.
        platform::InputFile file;
        return int(file.OpenRegular(native) == platform::InputFile::OpenResult::Opened &&
                   checksumFile(file, *checksum));
    });
}
