#include "logora/engine/dbf/ColumnRoles.h"

#include <strings.h>

#include <algorithm>

namespace logora {

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

constexpr uint32_t kRawDoubleLength = 8;
constexpr uint32_t kMaxRawIntegerLength = 4;

ColumnEncoding EncodingOf(std::string_view name, char type, uint32_t length)
{
    if (type == 'C' && SameName(name, "Value") && length == kRawDoubleLength)
        return ColumnEncoding::RawDouble;
    if (type == 'C' && SameName(name, "Internal") && length >= 1 && length <= kMaxRawIntegerLength)
        return ColumnEncoding::RawInteger;
    if (type == 'F' && SameName(name, "Timestmp")) return ColumnEncoding::OleDateTime;
    if (type == 'D') return ColumnEncoding::DbfDate;
    return ColumnEncoding::Text;
}

ColumnRole RoleOf(std::string_view name, ColumnEncoding encoding)
{
    if (encoding == ColumnEncoding::DbfDate) return ColumnRole::Date;
    if (SameName(name, "Value") &&
        (encoding == ColumnEncoding::RawDouble || encoding == ColumnEncoding::Text))
        return ColumnRole::Value;
    if (encoding != ColumnEncoding::Text) return ColumnRole::Other;
    if (SameName(name, "Time")) return ColumnRole::Time;
    if (SameName(name, "Millitm")) return ColumnRole::Millitm;
    if (SameName(name, "Tag") || SameName(name, "TagIndex") || SameName(name, "Tagname"))
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
