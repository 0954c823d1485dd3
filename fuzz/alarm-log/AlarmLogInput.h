#pragma once
// How one fuzz input carries an alarm conversion: byte 0 picks the generator
// version, bytes 1-4 give the length E of the embedded alarm file (little
// endian), the next E bytes are that file and the rest is the alarm log.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace alarmfuzz {

inline constexpr int kVersions[] = {1, 2, 3, 5, 6, 0};

struct AlarmLogInput
{
    int version = 0;
    std::span<const uint8_t> embedded;
    std::span<const uint8_t> log;
};

inline AlarmLogInput Split(std::span<const uint8_t> data)
{
    AlarmLogInput input;
    if (data.size() < 5) {
        input.log = data;
        return input;
    }
    input.version = kVersions[data[0] % std::size(kVersions)];
    size_t length = data[1] | data[2] << 8 | data[3] << 16 | static_cast<size_t>(data[4]) << 24;
    data = data.subspan(5);
    length = std::min(length, data.size());
    input.embedded = data.first(length);
    input.log = data.subspan(length);
    return input;
}

inline std::vector<uint8_t> Join(uint8_t versionIndex, const std::vector<uint8_t>& embedded,
                                 const std::vector<uint8_t>& log)
{
    std::vector<uint8_t> out = {versionIndex};
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(embedded.size() >> shift));
    out.insert(out.end(), embedded.begin(), embedded.end());
    out.insert(out.end(), log.begin(), log.end());
    return out;
}

}  // namespace alarmfuzz
