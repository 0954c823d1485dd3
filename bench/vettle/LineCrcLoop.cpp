// The baseline of the tamper check benchmark: a plain loop that finds each
// line end with memchr and runs zlib's crc32 over the line, reading the file
// in 1 MiB blocks (a line that crosses a block end is finished in the next).
// Prints the sum of the line checksums, so that no work can be left out.
//
// usage: vettle-line-crc-loop file
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vettle-line-crc-loop file\n");
        return 2;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<char> block(1 << 20);
    uLong crc = crc32(0L, Z_NULL, 0);
    unsigned long checksumSum = 0;
    ssize_t got = 0;
    while ((got = ::read(fd, block.data(), block.size())) > 0) {
        const char* pos = block.data();
        const char* const end = block.data() + got;
        while (pos < end) {
            const char* lf = static_cast<const char*>(std::memchr(pos, '\n', static_cast<size_t>(end - pos)));
            const char* lineEnd = lf ? lf + 1 : end;
            crc = crc32(crc, reinterpret_cast<const Bytef*>(pos), static_cast<uInt>(lineEnd - pos));
            if (lf) {
                checksumSum += crc;
                crc = crc32(0L, Z_NULL, 0);
            }
            pos = lineEnd;
        }
    }
    ::close(fd);
    std::printf("%lu\n", checksumSum);
    return got < 0 ? 1 : 0;
}
