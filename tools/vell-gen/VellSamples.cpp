#include "VellSamples.h"

#include <cstring>
#include <fstream>

namespace vellgen {

namespace {

constexpr uint16_t kInt16Type = 1;
constexpr uint16_t kSingleType = 3;

template <typename T>
void put(std::vector<uint8_t>& out, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i)));
    }
}

void putText(std::vector<uint8_t>& out, const std::string& text, size_t fieldSize)
{
    std::vector<uint8_t> field(fieldSize, 0);
    std::memcpy(field.data(), text.data(), std::min(text.size(), fieldSize));
    out.insert(out.end(), field.begin(), field.end());
}

LogRecord record(uint32_t time, int32_t ms, uint16_t tag, uint16_t flags, uint32_t raw)
{
    LogRecord r;
    r.time = time;
    r.milliseconds = ms;
    r.tagNumber = tag;
    r.flags = flags;
    for (int i = 0; i < 4; ++i) r.value[i] = static_cast<uint8_t>(raw >> (8 * i));
    return r;
}

}  // namespace

LogRecord Int32Record(uint32_t time, int32_t ms, uint16_t tag, int32_t value, uint16_t extraFlags)
{
    return record(time, ms, tag, extraFlags, static_cast<uint32_t>(value));
}

LogRecord Int16Record(uint32_t time, int32_t ms, uint16_t tag, int16_t value, uint16_t extraFlags)
{
    // The upper two value bytes are not part of the value.
    return record(time, ms, tag, static_cast<uint16_t>(kInt16Type | extraFlags),
                  static_cast<uint16_t>(value) | 0xABCD0000u);
}

LogRecord SingleRecord(uint32_t time, int32_t ms, uint16_t tag, float value, uint16_t extraFlags)
{
    uint32_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    return record(time, ms, tag, static_cast<uint16_t>(kSingleType | extraFlags), raw);
}

LogRecord NoValueRecord(uint32_t time, int32_t ms, uint16_t tag, uint16_t type, uint32_t rawValue)
{
    return record(time, ms, tag, static_cast<uint16_t>(type & 7), rawValue);
}

std::vector<uint8_t> DatalogHeaderBytes(const DatalogHeader& header)
{
    std::vector<uint8_t> out;
    putText(out, header.signature, 34);
    put<uint16_t>(out, header.format);
    put<uint32_t>(out, 0x5A5A5A5A);  // not read
    put<int32_t>(out, header.count);
    put<int32_t>(out, header.oldest);
    put<int32_t>(out, header.newest);
    return out;
}

void AppendRecord(std::vector<uint8_t>& out, const LogRecord& r)
{
    put<uint32_t>(out, r.time);
    put<int32_t>(out, r.milliseconds);
    put<uint16_t>(out, r.tagNumber);
    put<uint16_t>(out, r.flags);
    out.insert(out.end(), r.value, r.value + 4);
}

std::vector<uint8_t> BuildDatalog(const DatalogHeader& header, const std::vector<LogRecord>& slots)
{
    std::vector<uint8_t> out = DatalogHeaderBytes(header);
    for (const LogRecord& r : slots) AppendRecord(out, r);
    return out;
}

std::vector<uint8_t> BuildDatalog(const std::vector<LogRecord>& slots, int32_t oldest, int32_t newest)
{
    DatalogHeader header;
    header.count = static_cast<int32_t>(slots.size());
    header.oldest = oldest;
    header.newest = newest;
    return BuildDatalog(header, slots);
}

std::vector<uint8_t> BuildTagFile(const std::vector<std::u16string>& names, const TagFileOptions& options)
{
    std::vector<uint8_t> out;
    putText(out, options.signature, 33);
    out.push_back(0x77);  // not read
    put<uint16_t>(out, options.format);
    put<uint16_t>(out,
                  static_cast<uint16_t>(options.announcedCount < 0 ? names.size() : options.announcedCount));
    for (const std::u16string& name : names) {
        put<uint16_t>(out, static_cast<uint16_t>(name.size() * 2));
        for (char16_t c : name) put<uint16_t>(out, c);
    }
    return out;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

LogRecord PatternRecord(uint64_t sequence, uint16_t tags, uint32_t start)
{
    uint16_t tag = static_cast<uint16_t>(sequence % tags + 1);
    uint32_t time = start + static_cast<uint32_t>(sequence / tags);
    int32_t ms = static_cast<int32_t>(sequence * 37 % 1000);
    static const uint16_t kMarkers[] = {0, 0, 0, 0x0008, 0x0010, 0x0018, 0x8000, 0};
    uint16_t markers = kMarkers[sequence / 3 % 8];
    switch (sequence % 5) {
        case 0:
            return Int32Record(time, ms, tag, static_cast<int32_t>(sequence * 7919 % 100000) - 50000,
                               markers);
        case 1:
            return Int16Record(time, ms, tag, static_cast<int16_t>(sequence % 2000 - 1000), markers);
        case 2:
            return SingleRecord(time, ms, tag, static_cast<float>(sequence % 10000) / 8.0f, markers);
        case 3:
            return Int32Record(time, ms, tag, 16777217 + static_cast<int32_t>(sequence % 100),
                               static_cast<uint16_t>(2 | markers));
        default:
            return NoValueRecord(time, ms, tag, static_cast<uint16_t>(4 + sequence % 4), 0xFFFFFFFF);
    }
}

bool WritePatternDatalog(const std::string& path, int32_t count, int32_t wrapAt, uint16_t tags,
                         uint32_t start)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    bool wrapped = wrapAt > 0 && wrapAt < count;
    DatalogHeader header;
    header.count = count;
    header.oldest = wrapped ? wrapAt : 0;
    header.newest = wrapped ? wrapAt - 1 : count - 1;
    std::vector<uint8_t> chunk = DatalogHeaderBytes(header);
    for (int32_t slot = 0; slot < count; ++slot) {
        // Slot `slot` holds the record that is the (slot - oldest)-th oldest.
        int64_t sequence = wrapped ? (slot >= wrapAt ? slot - wrapAt : slot + (count - wrapAt)) : slot;
        AppendRecord(chunk, PatternRecord(static_cast<uint64_t>(sequence), tags, start));
        if (chunk.size() >= (1 << 20)) {
            out.write(reinterpret_cast<const char*>(chunk.data()),
                      static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
    out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    return static_cast<bool>(out);
}

std::vector<std::u16string> SampleTagNames(uint16_t count)
{
    static const std::u16string kNames[] = {
        u"Temperatur Kessel \u00C4",
        u"Druck \u00DCberlauf",
        u"\u0398\u03B5\u03C1\u03BC\u03BF\u03BA\u03C1\u03B1\u03C3\u03AF\u03B1",
        u"\u0414\u0430\u0432\u043B\u0435\u043D\u0438\u0435",
        u"\u6E29\u5EA6\u30BB\u30F3\u30B5",
        u"Flow_Line_2",
    };
    std::vector<std::u16string> names;
    for (uint16_t i = 0; i < count; ++i) {
        if (i == 6) {
            names.push_back(std::u16string(300, u'\u00E9'));  // longer than the name column
        } else {
            names.push_back(kNames[i % 6] +
                            (i < 6 ? u"" : u" " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10))));
        }
    }
    return names;
}

}  // namespace vellgen
