#pragma once
// Reads the cells of a loaded table straight from its record bytes, for the
// operations that visit every record (find, sort, filter, copy): the display
// text exactly as the list shows it, and the value by which numbers, dates
// and times compare.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/largefile/MappingErrorSink.h"

namespace logora {
class CConvertDATToDBF;
}

namespace logora::ui {

class RecordCells
{
public:
    // `codePage`: the code page of the table's texts.
    RecordCells(CConvertDATToDBF& table, int codePage);

    int64_t RecordCount() const { return records_; }
    int CodePage() const { return codePage_; }
    const std::string& TablePath() const;
    // The reporter the table's owner gave it: failed mappings of the table and
    // of the operations' own temporary files go there.
    const MappingErrorSink& MappingErrors() const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    // The record's bytes (deletion flag first), valid until the next read;
    // null when it cannot be read.
    const uint8_t* Read(int64_t record);

    void Text(const uint8_t* record, int field, std::string& text) const;
    // Numbers by value, dates as days and times of day as seconds; empty for
    // texts and for a cell that holds no number.
    std::optional<double> Number(const uint8_t* record, int field) const;
    bool IsNumeric(int field) const;
    ColumnKind Kind(int field) const { return fields_[static_cast<size_t>(field)].kind; }
    // All of the field's bytes.
    std::string_view FieldBytes(const uint8_t* record, int field) const
    {
        const Field& f = fields_[static_cast<size_t>(field)];
        return {reinterpret_cast<const char*>(record + f.offset), f.length};
    }
    // The field's bytes up to the first NUL, for texts.
    std::string_view RawText(const uint8_t* record, int field) const;
    // The record's time stamp in seconds since 30 December 1899 (from
    // "Timestmp", or the date and "Time" columns); empty when it has none.
    std::optional<double> TimeStamp(const uint8_t* record) const;
    bool HasTimeStamps() const { return timestmp_ >= 0 || (date_ >= 0 && time_ >= 0); }
    // The tag column of a datalog (a table with tag and value columns), -1 in other tables.
    int TagField() const { return tag_; }
    // The fields the time stamp is read from, -1 for those the table lacks:
    // records with the same bytes there have the same time stamp.
    std::array<int, 3> TimeStampFields() const { return {timestmp_, date_, time_}; }

private:
    struct Field
    {
        ColumnKind kind;
        char type;
        uint32_t offset;
        uint32_t length;
    };

    CConvertDATToDBF& table_;
    int codePage_;
    std::vector<Field> fields_;
    int64_t records_;
    int floatLength_;
    int floatDecimals_;
    int timestmp_ = -1, date_ = -1, time_ = -1;
    int tag_ = -1;
};

// "HH:MM:SS" as seconds of the day; empty when the text is no time.
std::optional<double> ParseTimeOfDay(std::string_view text);
// Days since 30 December 1899 of a proleptic Gregorian date.
double DaysSince1899(int year, int month, int day);
// A time stamp (seconds since 30 December 1899) as the list shows dates and times.
std::string TimeStampText(double seconds);

}  // namespace logora::ui
