#include "logora/engine/alarm/CMsg.h"

#include <algorithm>
#include <limits>

#include "logora/engine/alarm/ArchiveReader.h"

namespace logora {

bool CMsg::Read(ArchiveReader& archive, int32_t version)
{
    archive.ReadInt(triggerIndex);
    archive.ReadString(valueText);
    if (version >= 5) archive.ReadInt(numbers[0]);
    if (version < 5 || (version >= 6 && version <= 12)) archive.ReadString(messageText);
    for (size_t i = 0; i < 3; ++i) archive.ReadByte(flags[i]);
    if (version >= 7) archive.ReadByte(flags[3]);
    int32_t second = 0;
    int32_t third = 0;
    archive.ReadInt(second);
    archive.ReadInt(third);
    if (version != 1 && version != 2) {
        numbers[1] = second;
        numbers[2] = third;
    }
    if (valueText.empty()) messageText.clear();
    return !archive.Failed();
}

int32_t AtoiValue(std::string_view text)
{
    size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min<int64_t>(magnitude, kLimit - 1));
}

}  // namespace logora
