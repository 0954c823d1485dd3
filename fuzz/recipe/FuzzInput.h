#pragma once
// The two kinds of input of the recipe harness. The first byte chooses: even
// means the rest is the bytes of a whole file; odd means the rest holds the
// contents of the recipe's streams, each as a 16-bit little-endian length and
// that many bytes, written into a valid compound file by the harness.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace recipefuzz {

using Bytes = std::vector<uint8_t>;

// Where the streams of an odd input go, in input order. The names sort
// differently by length and alphabetically, and one is longer than 10
// characters.
inline const std::vector<std::string>& StreamPaths()
{
    static const std::vector<std::string> paths = {"Ingredients", "DataSets/Zone", "DataSets/Batch Alpha One",
                                                   "DataSets/Ab", "TagSets/Tags"};
    return paths;
}

inline Bytes PackFile(const Bytes& file)
{
    Bytes input{0};
    input.insert(input.end(), file.begin(), file.end());
    return input;
}

inline Bytes PackStreams(const std::vector<Bytes>& streams)
{
    Bytes input{1};
    for (const Bytes& stream : streams) {
        const size_t length = stream.size() > 0xFFFF ? 0xFFFF : stream.size();
        input.push_back(static_cast<uint8_t>(length));
        input.push_back(static_cast<uint8_t>(length >> 8));
        input.insert(input.end(), stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length));
    }
    return input;
}

// The streams of an odd input (after its first byte); a length beyond the
// input takes what is left, and streams the input does not reach are absent.
inline std::vector<Bytes> UnpackStreams(const uint8_t* data, size_t size)
{
    std::vector<Bytes> streams;
    size_t position = 0;
    while (streams.size() < StreamPaths().size() && position + 2 <= size) {
        size_t length = size_t{data[position]} | size_t{data[position + 1]} << 8;
        position += 2;
        if (length > size - position) length = size - position;
        streams.emplace_back(data + position, data + position + length);
        position += length;
    }
    return streams;
}

}  // namespace recipefuzz
