#pragma once
// One fuzz input holds a datalog and a tag file: a little-endian 32-bit
// length, that many datalog bytes, then the tag file bytes. An input whose
// tag part is empty stands for a datalog without tag file.

#include <cstdint>
#include <vector>

namespace vellfuzz {

inline std::vector<uint8_t> PackInput(const std::vector<uint8_t>& datalog,
                                      const std::vector<uint8_t>& tagFile)
{
    std::vector<uint8_t> input;
    uint32_t length = static_cast<uint32_t>(datalog.size());
    for (int i = 0; i < 4; ++i) input.push_back(static_cast<uint8_t>(length >> (8 * i)));
    input.insert(input.end(), datalog.begin(), datalog.end());
    input.insert(input.end(), tagFile.begin(), tagFile.end());
    return input;
}

}  // namespace vellfuzz
