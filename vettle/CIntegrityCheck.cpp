#include "vettle/CIntegrityCheck.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>
#include <limits>

#include "common/text/Windows1252.h"
#include "vettle/Crc32.h"
#include "vettle/NumberText.h"
#include "vettle/ScrambleText.h"
#include "vettle/TextCodec.h"
#include "vettle/TextCrc32.h"

namespace vettle {

namespace {

constexpr uint8_t kLf = '\n';
constexpr uint8_t kCr = '\r';
constexpr size_t kGuidLength = 36;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kRightBlanks = " \t\r\n";

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
}

std::u16string AsciiText(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// The text of a scrambled field: units XORed with the key, then in 8-bit form.
// False when the result is empty, too long, or has no 8-bit form.
bool UnscrambleToAnsi(std::u16string_view scrambled, std::array<char, CIntegrityCheck::kTokenBufferSize>& out,
                      size_t& length)
{
    if (scrambled.empty() || scrambled.size() >= out.size()) return false;
    for (size_t i = 0; i < scrambled.size(); ++i) {
        const auto byte =
            common::EncodeWindows1252(static_cast<char16_t>(scrambled[i] ^ kScrambleKey[i % 4]));
        if (!byte) return false;
        out[i] = static_cast<char>(*byte);
    }
    length = scrambled.size();
    return true;
}

// The marker field without its quotes, unscrambled into 8-bit text; false when
// it is empty, too long, or has no 8-bit form.
bool UnscrambleField(std::string_view field, std::array<char, CIntegrityCheck::kTokenBufferSize>& out,
                     size_t& length)
{
    if (field.empty() || field.size() >= out.size()) return false;
    // Plain ASCII without quotes decodes and encodes to itself; eight bytes at
    // a time (the key repeats every four).
    constexpr uint64_t kKey = 0x6A7C215F6A7C215Full;
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    uint64_t seen = 0;
    uint64_t quoteLanes = 0;
    size_t i = 0;
    for (; i + 8 <= field.size(); i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, field.data() + i, sizeof word);
        seen |= word;
        const uint64_t quotes = word ^ (kOnes * '"');
        quoteLanes |= (quotes - kOnes) & ~quotes & kHighBits;  // a lane that was '"' is now zero
        word ^= kKey;
        std::memcpy(out.data() + i, &word, sizeof word);
    }
    for (; i < field.size(); ++i) {
        const auto byte = static_cast<uint8_t>(field[i]);
        seen |= byte;
        quoteLanes |= byte == '"';
        out[i] = static_cast<char>(byte ^ kScrambleKey[i % 4]);
    }
    if ((seen & kHighBits) == 0 && quoteLanes == 0) {
        length = field.size();
        return true;
    }
    std::array<char16_t, CIntegrityCheck::kTokenBufferSize> units{};
    size_t unitCount = 0;
    for (size_t i = 0; i < field.size(); ++i) {
        units[unitCount++] = common::DecodeWindows1252(static_cast<uint8_t>(field[i]));
        if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
    }
    return UnscrambleToAnsi({units.data(), unitCount}, out, length);
}

// The high bit of each byte of `word` that equals `c`, no others.
uint64_t EqualBytes(uint64_t word, char c)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t diff = word ^ (0x0101010101010101ull * static_cast<uint8_t>(c));
    return ~(((diff & kLow7) + kLow7) | diff | kLow7);
}

// The number of lanes marked in a mask of EqualBytes (no popcount
// instruction needed).
int LaneCount(uint64_t mask)
{
    return static_cast<int>(((mask >> 7) * 0x0101010101010101ull) >> 56);
}

// A plain decimal number up to `limit`, "0" or not starting with 0: read as
// the C library's reading would, without its general rules.
bool ReadPlainDecimal(std::string_view text, uint64_t limit, uint32_t& value)
{
    if (text.empty() || text.size() > 10 || (text[0] == '0' && text.size() > 1)) return false;
    uint64_t read = 0;
    for (char c : text) {
        const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'};
        if (digit > 9) return false;
        read = read * 10 + digit;
    }
    value = static_cast<uint32_t>(read);
    return read <= limit;
}

// The usual marker text "C*G*L*H": one '*' between four tokens, the checksum
// C and the order numbers L and H plain decimal numbers in their types' range
// (C not 0). Split and read
// in one go, with the values the general reading gives; false for any other
// text, which the general reading then takes.
struct UsualMarker
{
    StarTokens tokens;
    uint32_t checksum = 0;
    uint32_t low = 0;
    uint32_t high = 0;
};

bool ReadUsualMarker(std::string_view text, UsualMarker& marker)
{
    size_t start = 0;
    for (std::string_view& token : marker.tokens.tokens) {
        if (start >= text.size()) return false;
        const size_t end = std::min(text.find('*', start), text.size());
        if (end == start) return false;
        token = text.substr(start, end - start);
        start = end + 1;
    }
    if (start <= text.size()) return false;  // a fifth token or a '*' at the end
    marker.tokens.count = marker.tokens.tokens.size();
    constexpr uint64_t kInt32Max = std::numeric_limits<int32_t>::max();
    return marker.tokens[0][0] != '0' &&
           ReadPlainDecimal(marker.tokens[0], std::numeric_limits<uint32_t>::max(), marker.checksum) &&
           ReadPlainDecimal(marker.tokens[2], kInt32Max, marker.low) &&
           ReadPlainDecimal(marker.tokens[3], kInt32Max, marker.high);
}

// Sixteen bytes, signed so that bytes of 0x80 and up compare below zero.
using Block = signed char __attribute__((vector_size(16)));
using CharBlock = char __attribute__((vector_size(16)));
constexpr size_t kBlockSize = sizeof(Block);

// Bit i set where lane i of `lanes` (each 0 or -1) is set.
template <typename Lanes>
unsigned LaneBits(Lanes lanes)
{
    static_assert(sizeof lanes == 16);
#if defined(__SSE2__)
    return static_cast<unsigned>(__builtin_ia32_pmovmskb128(reinterpret_cast<CharBlock>(lanes)));
#else
    uint64_t halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    // Bit 7 of lane i lands on bit 56 + i of the product, without carries.
    const auto bits = [](uint64_t half) {
        return static_cast<unsigned>(((half & 0x8080808080808080ull) * 0x0002040810204081ull) >> 56);
    };
    return bits(halves[0]) | bits(halves[1]) << 8;
#endif
}

// The scrambling key over a block that starts at a multiple of four.
constexpr Block kKeyBlock = {0x5F, 0x21, 0x7C, 0x6A, 0x5F, 0x21, 0x7C, 0x6A,
                             0x5F, 0x21, 0x7C, 0x6A, 0x5F, 0x21, 0x7C, 0x6A};

// The longest field read in one pass: its bits fill one word. Longer ones (no
// usual marker is) take the general reading.
constexpr size_t kMaxUsualField = 64;
static_assert(kMaxUsualField + 4 < CIntegrityCheck::kTokenBufferSize);

// The value of the `length` (1 to 16) decimal digits before `end`, of which
// the 16 bytes before `end` may be read. Eight digits a word, without a loop.
inline uint64_t DigitsValue(const char* end, size_t length)
{
    constexpr uint64_t kZeros = 0x3030303030303030ull;
    const auto eightDigits = [](uint64_t digits) {  // byte values 0 to 9, the first the highest
        digits = digits * 10 + (digits >> 8);       // pairs of digits in every other byte
        constexpr uint64_t kPairs = 0x000000FF000000FFull;
        return ((digits & kPairs) * (100 + (1000000ull << 32)) +
                ((digits >> 16) & kPairs) * (1 + (10000ull << 32))) >>
               32;
    };
    // XOR takes a digit to its value without borrowing from its neighbour;
    // the bytes before the number become leading zeros.
    uint64_t low = 0;
    std::memcpy(&low, end - 8, sizeof low);
    low = (low ^ kZeros) & ~uint64_t{0} << (8 * (8 - std::min<size_t>(length, 8)));
    if (length <= 8) return eightDigits(low);
    uint64_t high = 0;
    std::memcpy(&high, end - 16, sizeof high);
    high = (high ^ kZeros) & ~uint64_t{0} << (8 * (16 - length));
    return eightDigits(high) * 100000000 + eightDigits(low);
}

// Whether two GUID texts of 36 bytes are the same, a word at a time.
bool SameGuidText(const char* a, const char* b)
{
    uint64_t differ = 0;
    for (size_t i = 0; i < 32; i += 8) {
        uint64_t x = 0, y = 0;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        differ |= x ^ y;
    }
    uint32_t x = 0, y = 0;
    std::memcpy(&x, a + 32, sizeof x);
    std::memcpy(&y, b + 32, sizeof y);
    return (differ | (x ^ y)) == 0;
}

bool IsExactZeroText(std::string_view token)
{
    return token == "0";
}

}  // namespace

CIntegrityCheck::CIntegrityCheck(BufferedReader& reader) : reader_(&reader)
{
    lineBytes_.reserve(kLineBufferSize);
}

CIntegrityCheck::CIntegrityCheck(const CIntegrityCheck& prepared, BufferedReader& reader)
    : CIntegrityCheck(prepared)
{
    reader_ = &reader;
    line_ = {};
    lineInWindow_ = false;
}

CIntegrityCheck::CarriedState CIntegrityCheck::Carried() const
{
    return {orderLow_, orderHigh_, previousLow_, previousHigh_, lineGuid_, lineGuidValid_};
}

void CIntegrityCheck::ReadByteOrderMark()
{
    static constexpr uint8_t kBom[3] = {0xEF, 0xBB, 0xBF};
    reader_->Seek(0);
    utf8_ = true;
    for (uint8_t expected : kBom) {
        uint8_t byte = 0;
        if (!reader_->ReadByte(byte) || byte != expected) utf8_ = false;
    }
}

bool CIntegrityCheck::FindTrailerLine()
{
    // The scan starts five bytes before the end, so that the trailer's own line
    // end is not taken for the line break before it; offset 0 is never examined.
    int64_t offset = reader_->Size() - 5;
    bool afterSemicolon = false;
    while (offset > 0) {
        uint8_t byte = 0;
        if (!reader_->ByteAt(offset, byte)) return false;
        if (byte == ';') {
            afterSemicolon = true;
        } else if (byte == kLf) {
            if (!afterSemicolon) {
                trailerStart_ = offset + 1;
                return true;
            }
            --offset;  // a continuation: the byte before the LF is skipped too
        } else {
            afterSemicolon = false;
        }
        --offset;
    }
    return false;
}

int CIntegrityCheck::ParseTrailer()
{
    std::array<char, kTokenBufferSize> raw;  // filled before use
    const int64_t got =
        reader_->Size() > trailerStart_
            ? std::max<int64_t>(0, std::min<int64_t>(reader_->Size() - trailerStart_, raw.size()))
            : 0;
    size_t length = 0;
    for (; length < static_cast<size_t>(got); ++length) {
        uint8_t byte = 0;
        if (!reader_->ByteAt(trailerStart_ + static_cast<int64_t>(length), byte)) break;
        raw[length] = static_cast<char>(byte);
    }
    if (reader_->Failed()) {
        rowCount_ = columnCount_ = 0;
        trailerChecksum_ = 0;
        trailerGuid_.clear();
        return kUnreadable;
    }
    if (length == 0) return kParsed;

    std::u16string text = DecodeAnsi(TrimRight({raw.data(), length}, kLineEnd));
    std::array<char, kTokenBufferSize> plain;  // filled before use
    size_t plainLength = 0;
    if (!UnscrambleToAnsi(text, plain, plainLength)) return kUnreadable;

    const auto tokens = SplitStarTokens({plain.data(), plainLength});
    if (tokens.empty()) return kUnreadable;
    trailerGuid_.assign(tokens[0]);
    if (!IsGuidText(LastChars(tokens[0], kGuidLength))) return kBadGuid;
    if (tokens.size() > 1) {
        rowCount_ = static_cast<int32_t>(ParseCUnsigned32(tokens[1]));
        if (rowCount_ == 0 && !IsExactZeroText(tokens[1])) return kBadSecondNumber;
    }
    if (tokens.size() > 2) {
        columnCount_ = ParseDecimalInt32(tokens[2]);
        if (columnCount_ == 0 && !IsExactZeroText(TrimRight(tokens[2], kRightBlanks))) return kBadThirdNumber;
    }
    if (tokens.size() > 3) {
        trailerChecksum_ = ParseCUnsigned32(tokens[3]);
        if (trailerChecksum_ == 0) return kBadChecksumToken;
        const std::string decimal = std::to_string(trailerChecksum_);
        const std::string_view written = TrimRight(tokens[3], kRightBlanks);
        const bool same = std::equal(written.begin(), written.end(), decimal.begin(), decimal.end(),
                                     [](char a, char b) { return std::tolower(a) == std::tolower(b); });
        if (!same) return kBadChecksumToken;
    }
    return kParsed;
}

bool CIntegrityCheck::TestTrailerChecksum() const
{
    if (trailerChecksum_ == 0) return true;
    const std::u16string text = DecodeAnsi(trailerGuid_) + AsciiText("*" + std::to_string(rowCount_) + "*" +
                                                                     std::to_string(columnCount_));
    uint32_t checksum = 0;
    return TextCrc32(text, utf8_, checksum) && checksum == trailerChecksum_;
}

void CIntegrityCheck::BuildTrailerSignature()
{
    std::string numbers = "*" + std::to_string(rowCount_) + "*" + std::to_string(columnCount_);
    if (trailerChecksum_ != 0) numbers += "*" + std::to_string(trailerChecksum_);
    trailerSignature_ = DecodeAnsi(trailerGuid_) + AsciiText(numbers);

    for (size_t phase = 0; phase < scrambledSignatures_.size(); ++phase) {
        std::string& pattern = scrambledSignatures_[phase];
        pattern.clear();
        for (size_t j = 0; j < trailerSignature_.size(); ++j) {
            const auto byte = common::EncodeWindows1252(trailerSignature_[j] ^ kScrambleKey[(phase + j) % 4]);
            if (!byte) {
                pattern.clear();
                break;
            }
            pattern.push_back(static_cast<char>(*byte));
        }
    }
    // Block lane i holds the first and last bytes of the pattern of phase
    // i % 4; a phase without pattern gets bytes that its pattern test then
    // rejects.
    for (size_t i = 0; i < sizeof(ByteBlock); ++i) {
        const std::string& pattern = scrambledSignatures_[i % 4];
        signatureFirstBytes_[i] = pattern.empty() ? 0 : pattern.front();
        signatureLastBytes_[i] = pattern.empty() ? 0 : pattern.back();
    }
}

bool CIntegrityCheck::CountHeaderCommas()
{
    reader_->Seek(0);
    int64_t quotes = 0;
    headerCommaCount_ = 0;
    for (;;) {
        const std::string_view bytes = reader_->Available();
        if (bytes.empty()) return !reader_->Failed();
        for (size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\n') return true;
            if (c == '"') ++quotes;
            if (c == ',' && quotes % 2 == 0) ++headerCommaCount_;
        }
        reader_->Skip(bytes.size());
    }
}

bool CIntegrityCheck::TestColumnCount() const
{
    return columnCount_ != 0 && headerCommaCount_ != 0 && columnCount_ == headerCommaCount_;
}

bool CIntegrityCheck::TakeLineInWindow()
{
    // The common line: it ends in CR LF, no ';' continues it, and the byte after
    // its LF is already in the window. Its bytes are used where they lie.
    const std::string_view bytes = reader_->Available();
    // At the end the window is empty and may have no bytes at all to search.
    if (bytes.empty()) return false;
    const void* lf = std::memchr(bytes.data(), kLf, bytes.size());
    if (!lf) return false;
    const auto plain = static_cast<size_t>(static_cast<const char*>(lf) - bytes.data());
    if (plain == 0 || plain + 1 >= bytes.size() || plain >= kLineBufferSize) return false;
    if (static_cast<uint8_t>(bytes[plain - 1]) != kCr || bytes[plain + 1] == ';') return false;
    line_ = bytes.substr(0, plain);
    lineInWindow_ = true;
    reader_->Skip(plain + 1);
    return true;
}

bool CIntegrityCheck::CollectLine(uint8_t& last)
{
    lineBytes_.clear();
    lineInWindow_ = false;
    const auto fits = [&](size_t more) { return lineBytes_.size() + more < kLineBufferSize; };
    for (;;) {
        const std::string_view bytes = reader_->Available();
        if (bytes.empty()) {
            if (reader_->Failed()) return false;
            break;
        }
        const void* lf = std::memchr(bytes.data(), kLf, bytes.size());
        const size_t plain =
            lf ? static_cast<size_t>(static_cast<const char*>(lf) - bytes.data()) : bytes.size();
        if (!fits(plain)) return false;
        lineBytes_.append(bytes.data(), plain);
        if (plain > 0) last = static_cast<uint8_t>(bytes[plain - 1]);
        reader_->Skip(plain);
        if (!lf) continue;

        reader_->Skip(1);
        last = kLf;
        uint8_t next = 0;
        const bool haveNext = reader_->ReadByte(next);
        if (!haveNext && reader_->Failed()) return false;
        if (haveNext && next == ';') {
            last = next;
            continue;
        }
        if (!lineBytes_.empty() && static_cast<uint8_t>(lineBytes_.back()) == kCr) {
            if (haveNext) reader_->Seek(reader_->Position() - 1);
            break;
        }
        if (!fits(haveNext ? 2 : 1)) return false;
        lineBytes_.push_back(static_cast<char>(kLf));
        if (!haveNext) break;
        lineBytes_.push_back(static_cast<char>(next));
        last = next;
    }
    line_ = lineBytes_;
    return true;
}

void CIntegrityCheck::PinLine()
{
    if (!lineInWindow_) return;
    lineBytes_.assign(line_);
    line_ = lineBytes_;
    lineInWindow_ = false;
}

bool CIntegrityCheck::ReadLogicalLine(int64_t line)
{
    uint8_t last = kLf;
    if (!TakeLineInWindow()) {
        last = 0;
        if (!CollectLine(last)) return false;
    }
    if (line == 1 && utf8_) line_.remove_prefix(std::min<size_t>(3, line_.size()));

    lineIsBytes_ = !utf8_ || IsAscii(line_);
    if (!lineIsBytes_) lineText_ = DecodeUtf8(line_);
    if (last == kLf) {
        previousLow_ = orderLow_;
        previousHigh_ = orderHigh_;
        return true;
    }
    return last == kCr;
}

bool CIntegrityCheck::TrailerInText(std::u16string_view text) const
{
    std::u16string plain(text);
    ScrambleText(plain.data(), plain.size());
    return plain.find(trailerSignature_) != std::u16string::npos;
}

bool CIntegrityCheck::TrailerInBytes(std::string_view bytes, bool inWindow) const
{
    // Unscrambling works unit by unit, so the signature occurs at index p of
    // the unscrambled text exactly when the signature scrambled at phase p % 4
    // occurs at p in the bytes. Sixteen places at a time are first tested on
    // their first and last bytes (a marker holds the scrambled GUID, which the
    // signature starts with, at one of every four phases).
    const size_t length = trailerSignature_.size();
    if (length == 0 || length > bytes.size()) return false;
    const size_t places = bytes.size() - length + 1;
    const auto matchesAt = [&](size_t at) {
        const std::string& pattern = scrambledSignatures_[at % 4];
        return !pattern.empty() && bytes[at] == pattern[0] && bytes[at + length - 1] == pattern.back() &&
               std::memcmp(bytes.data() + at, pattern.data(), length) == 0;
    };
    // Bytes in the window may be loaded past their end: the last places too
    // are tested as a block.
    const size_t blockPlaces = inWindow ? places : places - places % sizeof(ByteBlock);
    size_t at = 0;
    for (; at < blockPlaces; at += sizeof(ByteBlock)) {
        ByteBlock first;
        ByteBlock last;
        std::memcpy(&first, bytes.data() + at, sizeof first);
        std::memcpy(&last, bytes.data() + at + length - 1, sizeof last);
        const size_t left = blockPlaces - at;
        const unsigned lanes = left >= sizeof(ByteBlock) ? 0xFFFFu : (1u << left) - 1;
        for (unsigned candidates =
                 LaneBits((first == signatureFirstBytes_) & (last == signatureLastBytes_)) & lanes;
             candidates != 0; candidates &= candidates - 1) {
            if (matchesAt(at + static_cast<size_t>(std::countr_zero(candidates)))) return true;
        }
    }
    for (; at < places; ++at) {
        if (matchesAt(at)) return true;
    }
    return false;
}

bool CIntegrityCheck::IsTrailerLine() const
{
    if (lineIsBytes_) {
        std::string_view bytes = line_;
        while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')) bytes.remove_suffix(1);
        return TrailerInBytes(bytes, lineInWindow_);
    }
    std::u16string_view text = lineText_;
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.remove_suffix(1);
    return TrailerInText(text);
}

void CIntegrityCheck::ClearMarker()
{
    lineChecksum_ = 0;
    lineGuid_.clear();
    guidIsTrailers_ = LastChars(trailerGuid_, kGuidLength).empty();
    lineGuidValid_ = false;
    orderLow_ = orderHigh_ = 0;
}

bool CIntegrityCheck::ReadRawMarker(std::array<char, kTokenBufferSize>& raw, size_t& length)
{
    // Backwards from the byte before the line's LF to the separator comma (one
    // with an even number of quotes after it) or to an LF; the marker runs from
    // the byte after it through the line's LF. Bytes are collected from the
    // right end of `raw` as they are passed.
    const int64_t end = reader_->Position();
    if (ScanRawMarkerInWindow(end, raw, length)) return true;
    PinLine();  // the byte-wise scan below may move the window
    size_t first = raw.size();
    uint8_t byte = 0;
    if (end >= 1) {
        if (!reader_->ByteAt(end - 1, byte)) return false;
        raw[--first] = static_cast<char>(byte);
    }
    int64_t quotes = 0;
    for (int64_t offset = end - 2; offset >= 0; --offset) {
        if (!reader_->ByteAt(offset, byte)) return false;
        if (byte == '"') ++quotes;
        if (byte == kLf || (byte == ',' && quotes % 2 == 0)) break;
        // A marker must leave one byte of its buffer free.
        if (first == 1) return false;
        raw[--first] = static_cast<char>(byte);
    }
    length = raw.size() - first;
    std::memmove(raw.data(), raw.data() + first, length);
    return true;
}

bool CIntegrityCheck::ScanRawMarkerInWindow(int64_t end, std::array<char, kTokenBufferSize>& raw,
                                            size_t& length) const
{
    // The common case: the whole stretch a marker may occupy is in the window.
    // The backward scan stops at the nearest LF, or at the nearest comma with
    // an even number of quotes after it; a marker is short, so byte by byte
    // from the end beats searching the whole stretch.
    const std::string_view bytes = reader_->WindowBefore(end, raw.size() + 1);
    if (bytes.size() < 2 || static_cast<int64_t>(bytes.size()) != std::min<int64_t>(end, raw.size() + 1)) {
        return false;
    }
    // Eight bytes at a time, from the end: the quote, comma and LF lanes of a
    // word as bit masks; a comma's quote count is that of the lanes above it
    // plus that of the words after it.
    size_t at = bytes.size() - 1;  // the line's LF is not scanned
    bool evenQuotes = true;
    size_t stop = 0;
    bool found = false;
    for (; !found && at >= 8; at -= 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at - 8, sizeof word);
        const uint64_t quotes = EqualBytes(word, '"');
        const uint64_t lfs = EqualBytes(word, '\n');
        uint64_t bounds = EqualBytes(word, ',') | lfs;
        while (bounds != 0 && !found) {
            const int top = 63 - std::countl_zero(bounds);  // bit 7 of the highest candidate's lane
            const bool even = evenQuotes == (LaneCount(quotes >> top >> 1) % 2 == 0);
            found = even || (lfs >> top & 1) != 0;
            stop = at - 8 + static_cast<size_t>(top / 8);
            bounds &= ~(uint64_t{1} << top);
        }
        if (LaneCount(quotes) % 2 != 0) evenQuotes = !evenQuotes;
    }
    while (!found && at > 0) {
        const char c = bytes[--at];
        if (c == '"') evenQuotes = !evenQuotes;
        found = c == '\n' || (c == ',' && evenQuotes);
        stop = at;
    }
    // Without a stop the marker reaches the file start or overflows: the
    // byte-wise scan decides.
    if (!found) return false;
    const size_t start = stop + 1;
    length = bytes.size() - start;
    if (length >= raw.size()) return false;
    std::memcpy(raw.data(), bytes.data() + start, length);
    return true;
}

bool CIntegrityCheck::ReadUsualMarkerInWindow(int& result)
{
    // The line lies in the window with its LF and more, and the window may be
    // loaded past its end: blocks of the field need no tail handling. A field
    // of plain ASCII without quote, comma or LF between `,"` and the closing
    // `"` before the CR is exactly what the backward scan finds and the
    // unscrambling takes as it is; the text must then be the usual marker.
    const char* const bytes = line_.data();
    const size_t size = line_.size();
    if (size < 5 || bytes[size - 2] != '"' || reader_->Failed()) return false;
    const size_t end = size - 2;
    // The field mostly starts where the last one did, counted from the end,
    // or a byte either side (the checksum's digits vary).
    const auto opensAt = [&](size_t length) {
        return length - 1 < kMaxUsualField && length + 2 <= end && bytes[end - length - 1] == '"' &&
               bytes[end - length - 2] == ',';
    };
    size_t length = usualFieldLength_;
    if (!opensAt(length) && !opensAt(--length) && !opensAt(length += 2)) {
        length = 0;
        while (length < end && length <= kMaxUsualField && bytes[end - length - 1] != '"') ++length;
        if (!opensAt(length)) return false;
    }

    // One pass over the field: checked, unscrambled into `plain`, its '*' and
    // digits found, a bit a byte.
    const char* const field = bytes + end - length;
    // Numbers are read as the 16 bytes that end them: `plain` has room before.
    std::array<char, kBlockSize + kMaxUsualField + kBlockSize> room;  // filled before use
    std::memset(room.data(), 0, kBlockSize);
    char* const plain = room.data() + kBlockSize;
    uint64_t bad = 0;
    uint64_t stars = 0;
    uint64_t digits = 0;
    for (size_t at = 0; at < length; at += kBlockSize) {
        Block block;
        std::memcpy(&block, field + at, sizeof block);
        bad |= uint64_t{LaneBits((block == '"') | (block == ',') | (block == '\n') | (block < 0))} << at;
        block ^= kKeyBlock;  // now 0 to 0x7F
        std::memcpy(plain + at, &block, sizeof block);
        stars |= uint64_t{LaneBits(block == '*')} << at;
        digits |= uint64_t{LaneBits((block > '0' - 1) & (block < '9' + 1))} << at;
    }
    const uint64_t lanes = length == 64 ? ~uint64_t{0} : (uint64_t{1} << length) - 1;
    stars &= lanes;
    // Exactly three '*', between four tokens none of which is empty; the
    // tokens but the GUID all digits, at most ten.
    const uint64_t afterFirst = stars & (stars - 1);
    const uint64_t third = afterFirst & (afterFirst - 1);
    if ((bad & lanes) != 0 || third == 0 || (third & (third - 1)) != 0 || (stars & 1) != 0 ||
        (stars & stars >> 1) != 0 || (stars >> (length - 1)) != 0) {
        return false;
    }
    const auto star0 = static_cast<size_t>(std::countr_zero(stars));
    const auto star1 = static_cast<size_t>(std::countr_zero(afterFirst));
    const auto star2 = static_cast<size_t>(std::countr_zero(third));
    const uint64_t guid = (uint64_t{1} << star1) - (uint64_t{2} << star0);
    const size_t lowLength = star2 - star1 - 1;
    const size_t highLength = length - star2 - 1;
    // No leading 0 but in "0" itself, and the checksum not "0".
    const auto leadingZero = [&](size_t from, size_t count) { return count > 1 && plain[from] == '0'; };
    if ((lanes & ~digits & ~stars & ~guid) != 0 || star0 > 10 || lowLength > 10 || highLength > 10 ||
        plain[0] == '0' || leadingZero(star1 + 1, lowLength) || leadingZero(star2 + 1, highLength)) {
        return false;
    }
    const uint64_t checksum = DigitsValue(plain + star0, star0);
    const uint64_t low = DigitsValue(plain + star2, lowLength);
    const uint64_t high = DigitsValue(plain + length, highLength);
    constexpr uint64_t kInt32Max = std::numeric_limits<int32_t>::max();
    if (checksum > std::numeric_limits<uint32_t>::max() || low > kInt32Max || high > kInt32Max) return false;

    usualFieldLength_ = length;
    rawMarkerLength_ = length + 4;  // the quotes, CR and LF
    lineChecksum_ = static_cast<uint32_t>(checksum);
    const std::string_view guidToken(plain + star0 + 1, star1 - star0 - 1);
    const bool sameValidGuid = lineGuidValid_ && guidToken.size() == kGuidLength &&
                               lineGuid_.size() == kGuidLength &&
                               SameGuidText(guidToken.data(), lineGuid_.data());
    result = sameValidGuid ? kParsed : TakeGuidToken(guidToken);
    if (result != kParsed) return true;
    orderLow_ = static_cast<int32_t>(low);
    orderHigh_ = static_cast<int32_t>(high);
    return true;
}

int CIntegrityCheck::TakeGuidToken(std::string_view token)
{
    // Every line of a file carries the same GUID: a token equal to the last
    // one that had the GUID form needs no second look.
    const bool same = token.size() == kGuidLength && lineGuid_.size() == kGuidLength
                          ? SameGuidText(token.data(), lineGuid_.data())
                          : token == lineGuid_;
    if (!same) {
        lineGuid_.assign(token);
        lineGuidValid_ = IsGuidText(LastChars(lineGuid_, kGuidLength));
        guidIsTrailers_ = LastChars(lineGuid_, kGuidLength) == LastChars(trailerGuid_, kGuidLength);
    }
    return lineGuidValid_ ? kParsed : kBadGuid;
}

int CIntegrityCheck::ParseLineMarker()
{
    int inWindow = kParsed;
    if (lineInWindow_ && ReadUsualMarkerInWindow(inWindow)) return inWindow;
    std::array<char, kTokenBufferSize> raw;  // filled before use
    size_t rawLength = 0;
    const bool read = ReadRawMarker(raw, rawLength);
    if (reader_->Failed()) {
        ClearMarker();
        return kUnreadable;
    }
    if (!read) return kUnreadable;
    rawMarkerLength_ = rawLength;

    std::string_view field = TrimRight({raw.data(), rawLength}, kLineEnd);
    while (!field.empty() && field.front() == '"') field.remove_prefix(1);
    while (!field.empty() && field.back() == '"') field.remove_suffix(1);
    std::array<char, kTokenBufferSize> plain;  // filled before use
    size_t plainLength = 0;
    if (!UnscrambleField(field, plain, plainLength)) return kUnreadable;
    const std::string_view text(plain.data(), plainLength);
    UsualMarker usual;
    const bool isUsual = ReadUsualMarker(text, usual);
    const StarTokens tokens = isUsual ? usual.tokens : SplitStarTokens(text);
    if (tokens.empty()) return kUnreadable;

    lineChecksum_ = isUsual ? usual.checksum : ParseCUnsigned32(tokens[0]);
    if (lineChecksum_ == 0) return kBadChecksumToken;
    if (tokens.size() > 1 && TakeGuidToken(tokens[1]) != kParsed) return kBadGuid;
    if (tokens.size() > 2) {
        orderLow_ = isUsual ? static_cast<int32_t>(usual.low) : ParseDecimalInt32(tokens[2]);
        if (orderLow_ == 0 && !IsExactZeroText(tokens[2])) return kBadSecondNumber;
    }
    if (tokens.size() > 3) {
        orderHigh_ = isUsual ? static_cast<int32_t>(usual.high) : ParseDecimalInt32(tokens[3]);
        if (orderHigh_ == 0 && !IsExactZeroText(TrimRight(tokens[3], kRightBlanks))) return kBadThirdNumber;
    }
    return kParsed;
}

void CIntegrityCheck::AdvanceOrderNumber()
{
    // Signed 32-bit arithmetic that wraps, as the logger's numbers do.
    orderLow_ = static_cast<int32_t>(static_cast<uint32_t>(orderLow_) + 1);
    if (orderLow_ > 65536) {
        orderLow_ = 1;
        orderHigh_ = static_cast<int32_t>(static_cast<uint32_t>(orderHigh_) + 1);
    }
}

bool CIntegrityCheck::TestLineChecksum() const
{
    if (lineIsBytes_) {
        const size_t left = line_.size() > rawMarkerLength_ ? line_.size() - rawMarkerLength_ : 0;
        return Crc32UpdateLineEnd(Crc32Update(0, line_.substr(0, left))) == lineChecksum_;
    }
    const size_t left = lineText_.size() > rawMarkerLength_ ? lineText_.size() - rawMarkerLength_ : 0;
    uint32_t checksum = 0;
    return TextCrc32(lineText_.substr(0, left) + u"\r\n", utf8_, checksum) && checksum == lineChecksum_;
}

bool CIntegrityCheck::TestGuid() const
{
    return guidIsTrailers_;
}

bool CIntegrityCheck::CheckLineOrder(int64_t line) const
{
    const int32_t low = orderLow_, high = orderHigh_;
    const int32_t prevLow = previousLow_, prevHigh = previousHigh_;
    const auto plusOne = [](int32_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v) + 1); };
    return (high == prevHigh && low == plusOne(prevLow)) ||
           (high == plusOne(prevHigh) && low == 1 && prevLow == 65536) || (low == 0 && high == 0) ||
           (prevLow == 0 && prevHigh == 0) || (low >= 1 && prevLow == 1 && line == 2);
}

}  // namespace vettle
