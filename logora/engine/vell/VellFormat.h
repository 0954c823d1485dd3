#pragma once
// Layout of a Vell datalog (.log) and of its tag file (.tag). All integers
// are little-endian.

#include <cstdint>
#include <string_view>

namespace logora::vell {

// Datalog header: signature text and its NUL, format number, three counts.
inline constexpr std::string_view kDatalogSignature = "Plivanterra datalogger data file.";
inline constexpr uint16_t kDatalogFormat = 14;
inline constexpr size_t kDatalogSignatureSize = 34;
inline constexpr size_t kDatalogFormatOffset = 34;
inline constexpr size_t kRecordCountOffset = 40;
inline constexpr size_t kOldestIndexOffset = 44;
inline constexpr size_t kNewestIndexOffset = 48;
inline constexpr size_t kDatalogHeaderSize = 52;

// One datalog record.
inline constexpr size_t kRecordSize = 16;
inline constexpr size_t kRecordTimeOffset = 0;
inline constexpr size_t kRecordMillisecondsOffset = 4;
inline constexpr size_t kRecordTagOffset = 8;
inline constexpr size_t kRecordFlagsOffset = 10;
inline constexpr size_t kRecordValueOffset = 12;

// Record flags: bits 0-2 the value type, then the markers and the status.
inline constexpr uint16_t kValueTypeMask = 0x0007;
inline constexpr uint16_t kMarkerBFlag = 0x0008;
inline constexpr uint16_t kMarkerEFlag = 0x0010;
inline constexpr uint16_t kStatusEFlag = 0x8000;

enum ValueType : uint16_t {
    kValueInt32 = 0,
    kValueInt16 = 1,
    kValueInt32Alt = 2,
    kValueSingle = 3,  // 4 to 7: no value
};

// Tag file header: signature text and its NUL, one unread byte, format
// number, tag count; then per tag a byte length and that many UTF-16LE bytes.
inline constexpr std::string_view kTagFileSignature = "Plivanterra datalogger tag file.";
inline constexpr uint16_t kTagFileFormat = 89;
inline constexpr size_t kTagFileSignatureSize = 33;
inline constexpr size_t kTagFileFormatOffset = 34;
inline constexpr size_t kTagCountOffset = 36;
inline constexpr size_t kTagFileHeaderSize = 38;

// Width of the table's tag name column.
inline constexpr size_t kTagNameFieldLength = 255;

}  // namespace logora::vell
