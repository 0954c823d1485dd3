#include "logora/engine/dbf/ColumnRoles.h"

#include <algorithm>

#include "common/text/AsciiCase.h"

namespace logora {

namespace {

constexpr uint32_t kRawDoubleLength = 8;
constexpr uint32_t kMaxRawIntegerLength = 4;

ColumnEncoding EncodingOf(std::string_view name, char type, uint32_t length)
{
    if (type == 'C' && common::EqualsIgnoringAsciiCase(name, "Value") && length == kRawDoubleLength)
        return ColumnEncoding::RawDouble;
    if (type == 'C' && common::EqualsIgnoringAsciiCase(name, "Internal") && length >= 1 &&
        length <= kMaxRawIntegerLength)
        return ColumnEncoding::RawInteger;
    if (type == 'F' && common::EqualsIgnoringAsciiCase(name, "Timestmp")) return ColumnEncoding::OleDateTime;
    if (type == 'D') return ColumnEncoding::DbfDate;
    return ColumnEncoding::Text;
}

ColumnRole RoleOf(std::string_view name, ColumnEncoding encoding)
{
    if (encoding == ColumnEncoding::DbfDate) return ColumnRole::Date;
    if (common::EqualsIgnoringAsciiCase(name, "Value") &&
        (encoding == ColumnEncoding::RawDouble || encoding == ColumnEncoding::Text))
        return ColumnRole::Value;
    if (encoding != ColumnEncoding::Text) return ColumnRole::Other;
    if (common::EqualsIgnoringAsciiCase(name, "Time")) return ColumnRole::Time;
    if (common::EqualsIgnoringAsciiCase(name, "Millitm")) return ColumnRole::Millitm;
    if (common::EqualsIgnoringAsciiCase(name, "Tag") || common::EqualsIgnoringAsciiCase(name, "TagIndex") ||
        common::EqualsIgnoringAsciiCase(name, "Tagname"))
        return ColumnRole::Tag;
    return ColumnRole::Other;
}

}  // namespace

ColumnKind KindOfColumn(std::string_view name, char type, uint32_t length)
{
    const ColumnEncoding encoding = EncodingOf(name, type, length);
    return {encoding, RoleOf(name, encoding)};
}

bool HasTableFormColumns(const std::vector<DBFField>& fields)
{
    auto has = [&](ColumnRole role) {
        return std::any_of(fields.begin(), fields.end(),
                           [&](const DBFField& field) { return KindOfColumn(field).role == role; });
    };
    return has(ColumnRole::Tag) && has(ColumnRole::Value);
}

}  // namespace logora
