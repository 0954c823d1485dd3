// Fuzz inputs for the utility library: UTF-16 texts (little-endian code
// units) separated by a NUL unit, and the seed files that hold them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace ordil::fuzz {

// The first `count` fields of the input; missing ones are empty.
inline std::vector<std::u16string> splitFields(const uint8_t* data, size_t size, size_t count)
{
    std::vector<std::u16string> fields(count);
    size_t field = 0;
    for (size_t i = 0; i + 1 < size && field < count; i += 2) {
        char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            ++field;
        else
            fields[field] += unit;
    }
    return fields;
}

inline void writeSeed(const std::filesystem::path& folder, const std::string& name,
                      const std::vector<std::u16string>& fields)
{
    std::string bytes;
    for (size_t f = 0; f < fields.size(); ++f) {
        if (f > 0) bytes.append(2, '\0');
        for (char16_t unit : fields[f]) {
            bytes += char(unit & 0xFF);
            bytes += char(unit >> 8);
        }
    }
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

// Ends the run the way a sanitizer would, so the fuzzer keeps the input.
[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// Seed programs take the corpus folder as their only argument.
inline std::filesystem::path seedFolder(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-folder>\n", argv[0]);
        std::exit(2);
    }
    std::filesystem::create_directories(argv[1]);
    return argv[1];
}

}  // namespace ordil::fuzz
