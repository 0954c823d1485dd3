#pragma once
// The embedded alarm file ("embedded.alm" beside an alarm log): message
// texts by event index, which win over the setup file's texts.

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>

namespace logora {

class CEmbeddedAlarmReader
{
public:
    // Texts are converted to `codePage`.
    explicit CEmbeddedAlarmReader(int codePage) : codePage_(codePage) {}

    // True when `path` is not empty and the file exists, whatever its
    // content. The file is only read (shared), never written, so a log on
    // a read-only medium still gets its texts.
    bool Load(const std::string& path);
    // Why the last Load refused the file, naming it: no regular file, or
    // larger than any embedded file; empty otherwise.
    const std::string& GetRefusal() const { return refusal_; }
    // Fills the map from the file's bytes: stops at a wrong format number,
    // a character count of 1024 or more, or a short read; entries read
    // before a stop stay.
    void LoadBytes(std::span<const uint8_t> bytes);

    // The text for `eventIndex`, or an empty text. Valid until the next load.
    const std::string& Lookup(uint32_t eventIndex) const;
    size_t GetCount() const { return texts_.size(); }

    // The embedded file that belongs to an alarm log path: the log's folder
    // (up to the last backslash or slash) followed by "embedded.alm".
    static std::string EmbeddedPathFor(const std::string& logPath);

private:
    std::unordered_map<uint32_t, std::string> texts_;
    std::string refusal_;
    int codePage_;
};

}  // namespace logora
