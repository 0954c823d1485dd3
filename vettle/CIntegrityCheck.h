#pragma once
// The state of one check of an integrity-marked CSV data log and its steps,
// called by the detection run in this order: ReadByteOrderMark,
// FindTrailerLine, ParseTrailer, TestTrailerChecksum, BuildTrailerSignature,
// CountHeaderCommas, TestColumnCount; then per line ReadLogicalLine,
// IsTrailerLine, ParseLineMarker, AdvanceOrderNumber (after a broken marker),
// TestLineChecksum, TestGuid, CheckLineOrder.
//
// File layout, as the data logger writes it: a header line, N data rows and a
// trailer line. Each logical line ends in CR LF (an LF followed by `;`
// continues the line) and, except the trailer, carries a last field in quotes
// holding the scrambled marker "C*G*L*H": the CRC-32 of the line's text, the
// file's GUID and its order number (L 1..65536, H counting wraps of L). The
// trailer is the scrambled "G*N*K[*T]": GUID, row count, header comma count and
// the CRC-32 of "G*N*K".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "vettle/BufferedReader.h"

namespace vettle {

// Results of ParseTrailer and ParseLineMarker.
enum ParseResult : int {
    kParsed = 0,
    kBadGuid = 1,
    kBadSecondNumber = 2,  // N in the trailer, L in a marker
    kBadThirdNumber = 3,   // K in the trailer, H in a marker
    kBadChecksumToken = 4,
    kUnreadable = 5,
};

class CIntegrityCheck
{
public:
    // Room of the line buffer; a logical line must leave one byte of it free.
    static constexpr size_t kLineBufferSize = 16384;
    // Room of the trailer and marker buffers; text must leave one byte free.
    static constexpr size_t kTokenBufferSize = 100;

    explicit CIntegrityCheck(BufferedReader& reader);
    // A check prepared as `prepared` (trailer, signature, columns), reading
    // the same file through `reader`, for checking lines elsewhere in it.
    CIntegrityCheck(const CIntegrityCheck& prepared, BufferedReader& reader);

    void ReadByteOrderMark();
    bool FindTrailerLine();
    int ParseTrailer();
    bool TestTrailerChecksum() const;
    void BuildTrailerSignature();
    bool CountHeaderCommas();
    bool TestColumnCount() const;

    bool ReadLogicalLine(int64_t line);
    bool IsTrailerLine() const;
    int ParseLineMarker();
    void AdvanceOrderNumber();
    bool TestLineChecksum() const;
    bool TestGuid() const;
    bool CheckLineOrder(int64_t line) const;

    int32_t RowCount() const { return rowCount_; }
    int64_t Position() const { return reader_->Position(); }

    // What the check of one line hands on to the next: two checks that agree
    // on it after the same line judge every following line alike.
    struct CarriedState
    {
        int32_t orderLow, orderHigh, previousLow, previousHigh;
        std::string guid;
        bool guidValid;
        bool operator==(const CarriedState&) const = default;
    };
    CarriedState Carried() const;

private:
    void ClearMarker();
    bool ReadRawMarker(std::array<char, kTokenBufferSize>& raw, size_t& length);
    // The usual marker of a line in the window, read in one pass; false leaves
    // the line to the general reading, else `result` is ParseLineMarker's.
    bool ReadUsualMarkerInWindow(int& result);
    // Takes the GUID token of a marker: kParsed, or kBadGuid.
    int TakeGuidToken(std::string_view token);
    bool ScanRawMarkerInWindow(int64_t end, std::array<char, kTokenBufferSize>& raw, size_t& length) const;
    // `inWindow`: the bytes lie in the reader's window, which may be loaded
    // past their end.
    bool TrailerInBytes(std::string_view bytes, bool inWindow) const;
    bool TrailerInText(std::u16string_view text) const;
    bool TakeLineInWindow();
    bool CollectLine(uint8_t& last);
    void PinLine();

    BufferedReader* reader_;
    bool utf8_ = false;
    int64_t trailerStart_ = -1;

    int32_t rowCount_ = 0;
    int32_t columnCount_ = 0;
    std::string trailerGuid_;
    uint32_t trailerChecksum_ = 0;
    int32_t headerCommaCount_ = 0;
    std::u16string trailerSignature_;
    // The signature scrambled as it would stand in the file at each of the four
    // key phases, as 8-bit bytes; empty where a unit has no 8-bit form.
    std::array<std::string, 4> scrambledSignatures_;
    using ByteBlock = char __attribute__((vector_size(16)));
    ByteBlock signatureFirstBytes_{};  // lane i: first byte of the phase i % 4 pattern
    ByteBlock signatureLastBytes_{};   // lane i: its last byte

    uint32_t lineChecksum_ = 0;
    std::string lineGuid_;
    bool lineGuidValid_ = false;  // lineGuid_ passed the GUID form test
    // lineGuid_ ends as the trailer's GUID does; set with lineGuid_, which
    // mostly stays the same from line to line.
    bool guidIsTrailers_ = false;
    int32_t orderLow_ = 0;
    int32_t orderHigh_ = 0;
    int32_t previousLow_ = 0;
    int32_t previousHigh_ = 0;

    // The current line's bytes: in the reader's window while nothing moves it
    // (lineInWindow_), else in lineBytes_. When they are one text unit each (an
    // 8-bit file, or a UTF-8 line of plain ASCII) the text is not decoded at all.
    std::string_view line_;
    bool lineInWindow_ = false;
    std::string lineBytes_;
    bool lineIsBytes_ = true;
    std::u16string lineText_;
    size_t rawMarkerLength_ = 0;
    // The field length of the last usual marker read in one pass: where the
    // next one is looked for first.
    size_t usualFieldLength_ = 0;
};

}  // namespace vettle
