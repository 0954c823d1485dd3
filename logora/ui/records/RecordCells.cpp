#include "logora/ui/records/RecordCells.h"

#include <charconv>
#include <cstring>

#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/RawValues.h"

namespace logora::ui {

namespace {

std::optional<int> Digits(std::string_view text, size_t at, size_t count)
{
    if (at + count > text.size()) return std::nullopt;
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<double> DbfDateDays(std::string_view text)
{
    auto year = Digits(text, 0, 4), month = Digits(text, 4, 2), day = Digits(text, 6, 2);
    if (!year || !month || !day) return std::nullopt;
    return DaysSince1899(*year, *month, *day);
}

}  // namespace

double DaysSince1899(int year, int month, int day)
{
    // Days from civil (H. Hinnant's algorithm), shifted to 30 December 1899.
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int unixDays = era * 146097 + doe - 719468;
    return unixDays + 25569.0;
}

std::string TimeStampText(double seconds)
{
    char text[CDataFormatHelper::DateTextRoom(CDataFormatHelper::kDisplayDateCapacity)];
    size_t length = CDataFormatHelper::FormatOleDateTime(seconds / 86400.0, text,
                                                         CDataFormatHelper::kDisplayDateCapacity);
    return std::string(text, length);
}

std::optional<double> ParseTimeOfDay(std::string_view text)
{
    auto hour = Digits(text, 0, 2), minute = Digits(text, 3, 2), second = Digits(text, 6, 2);
    if (!hour || !minute || !second || text[2] != ':' || text[5] != ':') return std::nullopt;
    return *hour * 3600.0 + *minute * 60.0 + *second;
}

RecordCells::RecordCells(CConvertDATToDBF& table, int codePage)
    : table_(table),
      codePage_(codePage),
      records_(table.GetRecordCount()),
      floatLength_(table.GetFloatLength()),
      floatDecimals_(table.GetFloatDecimals())
{
    std::vector<DBFField> descriptors;
    for (int i = 0; i < table.GetFieldCount(); ++i) {
        DBFField field = table.GetField(i);
        descriptors.push_back(field);
        ColumnKind kind = KindOfColumn(field);
        if (kind.role == ColumnRole::Tag && tag_ < 0) tag_ = i;
        fields_.push_back({kind, field.type, field.displacement, field.length});
        if (kind.encoding == ColumnEncoding::OleDateTime && timestmp_ < 0) timestmp_ = i;
        if (kind.role == ColumnRole::Date && date_ < 0) date_ = i;
        if (kind.role == ColumnRole::Time && time_ < 0) time_ = i;
    }
    if (!HasTableFormColumns(descriptors)) tag_ = -1;
    // A field reaching past the record cannot be read from its bytes.
    uint32_t recordLength = table.GetRecordLength();
    for (Field& field : fields_)
        if (field.offset + field.length > recordLength) field.length = 0;
}

const std::string& RecordCells::TablePath() const
{
    return table_.GetPath();
}

const MappingErrorSink& RecordCells::MappingErrors() const
{
    return table_.MappingErrors();
}

const uint8_t* RecordCells::Read(int64_t record)
{
    const uint8_t* bytes = nullptr;
    return record >= 0 && record < records_ && table_.ReadRecord(record, &bytes) ? bytes : nullptr;
}

void RecordCells::Text(const uint8_t* record, int field, std::string& text) const
{
    const Field& f = fields_[static_cast<size_t>(field)];
    CDataFormatHelper::FormatFieldText(f.kind.encoding, record + f.offset, f.length, text, floatLength_,
                                       floatDecimals_);
}

std::string_view RecordCells::RawText(const uint8_t* record, int field) const
{
    const Field& f = fields_[static_cast<size_t>(field)];
    const char* at = reinterpret_cast<const char*>(record + f.offset);
    return {at, strnlen(at, f.length)};
}

bool RecordCells::IsNumeric(int field) const
{
    const Field& f = fields_[static_cast<size_t>(field)];
    return f.kind.encoding != ColumnEncoding::Text || f.type == 'N' || f.type == 'F' ||
           f.kind.role == ColumnRole::Time;
}

std::optional<double> RecordCells::Number(const uint8_t* record, int field) const
{
    const Field& f = fields_[static_cast<size_t>(field)];
    const uint8_t* bytes = record + f.offset;
    switch (f.kind.encoding) {
        case ColumnEncoding::RawDouble:
            return f.length == 8 ? std::optional(RawDouble(bytes)) : std::nullopt;
        case ColumnEncoding::RawInteger:
            return RawInt32(bytes, f.length);
        case ColumnEncoding::OleDateTime:
            return ReadDecimal(bytes, f.length);
        case ColumnEncoding::DbfDate:
            return DbfDateDays(RawText(record, field));
        case ColumnEncoding::Text:
            break;
    }
    if (f.kind.role == ColumnRole::Time) return ParseTimeOfDay(RawText(record, field));
    if (f.type != 'N' && f.type != 'F') return std::nullopt;
    std::string_view text = RawText(record, field);
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    double value = 0;
    const char* begin = text.data() + first + (text[first] == '+' ? 1 : 0);
    auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    return error == std::errc() ? std::optional(value) : std::nullopt;
}

std::optional<double> RecordCells::TimeStamp(const uint8_t* record) const
{
    if (timestmp_ >= 0) {
        double days = *Number(record, timestmp_);
        // A zero OLE date is no recorded time.
        if (days > 0) return days * 86400.0;
        if (date_ < 0 || time_ < 0) return std::nullopt;
    }
    if (date_ < 0 || time_ < 0) return std::nullopt;
    auto days = Number(record, date_);
    auto seconds = Number(record, time_);
    if (!days || !seconds) return std::nullopt;
    return *days * 86400.0 + *seconds;
}

}  // namespace logora::ui
