#pragma once
// The records of an alarm log. The layout depends on the generator that
// wrote the log, which the file does not say; the caller names it by its
// version number.

#include <cstddef>
#include <cstdint>

namespace logora {

// Generator versions as the selection dialog and the command line give them.
namespace alarmversion {
constexpr int kCeTerminal = 1;     // "CE"
constexpr int kWin32Release3 = 2;  // "3xx"
constexpr int kWin32Release4 = 3;  // "4xx"
constexpr int kCe6Terminal = 5;    // "CE6"
constexpr int kWin32Release6 = 6;  // "6xx"
}  // namespace alarmversion

struct AlarmRecordLayout
{
    static constexpr size_t kLargestSize = 32;  // no layout is larger
    size_t size;  // 24, 30 or 32 bytes
    bool packed;  // 64-bit times right after the flags (30-byte records)

    static AlarmRecordLayout ForVersion(int version);
};

// One alarm event, with its times widened to 64 bits.
struct AlarmRecord
{
    int32_t triggerIndex = 0;
    int32_t triggerValue = 0;
    int32_t eventIndex = 0;
    bool allTriggerMessage = false;
    bool active = false;
    int64_t timeOn = 0;
    int64_t timeAcknowledged = 0;

    // Decodes layout.size bytes.
    static AlarmRecord Decode(const uint8_t* bytes, const AlarmRecordLayout& layout);
};

}  // namespace logora
