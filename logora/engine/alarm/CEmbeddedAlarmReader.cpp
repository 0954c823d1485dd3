#include "logora/engine/alarm/CEmbeddedAlarmReader.h"

#include <vector>

#include "common/bytes/ByteReader.h"
#include "logora/engine/alarm/SideFileLimit.h"
#include "logora/engine/text/CodePage.h"
#include "platform/files/FileAccess.h"
#include "platform/files/RegularFile.h"

namespace logora {

namespace {

constexpr uint32_t kFormatNumber = 2;
constexpr int32_t kCharacterLimit = 1024;
constexpr const char* kEmbeddedName = "embedded.alm";

}  // namespace

std::string CEmbeddedAlarmReader::EmbeddedPathFor(const std::string& logPath)
{
    if (logPath.empty()) return std::string("/") + kEmbeddedName;
    size_t separator = logPath.find_last_of("\\/");
    if (separator == std::string::npos) return kEmbeddedName;
    return logPath.substr(0, separator + 1) + kEmbeddedName;
}

bool CEmbeddedAlarmReader::Load(const std::string& path)
{
    texts_.clear();
    refusal_.clear();
    if (path.empty() || !platform::PathExists(path)) return false;
    // One that cannot be opened is present without texts; one that is no
    // regular file or is too large is refused.
    if (platform::RegularFileCheck(path).outcome == platform::FileCheck::Outcome::CannotOpen) return true;
    std::vector<uint8_t> bytes;
    refusal_ = platform::ReadRegularFile(path, kSideFileLimit, bytes);
    LoadBytes(bytes);
    return true;
}

void CEmbeddedAlarmReader::LoadBytes(std::span<const uint8_t> bytes)
{
    texts_.clear();
    ByteReader reader(bytes);
    auto format = reader.u32();
    if (!format || *format != kFormatNumber || !reader.skip(4)) return;
    auto stored = reader.u32();
    auto count = reader.u32();
    if (!stored || !count) return;
    std::u16string utf16;
    for (uint32_t entry = 0; entry < *count; ++entry) {
        auto eventIndex = reader.u32();
        auto characters = reader.i32();
        if (!eventIndex || !characters || *characters < 0 || *characters >= kCharacterLimit) return;
        auto raw = reader.bytes(2 * static_cast<size_t>(*characters));
        if (!raw) return;
        utf16.resize(static_cast<size_t>(*characters));
        for (size_t i = 0; i < utf16.size(); ++i)
            utf16[i] = ByteReader::decode<char16_t>(raw->data() + 2 * i);
        texts_[*eventIndex] = FromUtf16(utf16, codePage_);
    }
}

const std::string& CEmbeddedAlarmReader::Lookup(uint32_t eventIndex) const
{
    static const std::string kNone;
    auto found = texts_.find(eventIndex);
    return found == texts_.end() ? kNone : found->second;
}

}  // namespace logora
