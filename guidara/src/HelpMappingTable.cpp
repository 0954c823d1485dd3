#include "guidara/src/HelpMappingTable.h"

#include <limits>
#include <vector>

#include "common/text/Utf.h"

namespace guidara {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kFieldsPerRow = 3;

std::u16string LowerAscii(std::u16string_view text)
{
    std::u16string lowered(text);
    for (char16_t& c : lowered) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lowered;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

// Splits at commas; runs of commas count as one and yield no empty field.
std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size() && fields.size() < kFieldsPerRow) {
        const size_t start = line.find_first_not_of(',', pos);
        if (start == std::string_view::npos) break;
        size_t end = line.find(',', start);
        if (end == std::string_view::npos) end = line.size();
        fields.push_back(line.substr(start, end - start));
        pos = end;
    }
    return fields;
}

}  // namespace

std::u16string HelpFileKey(std::u16string_view helpFilePath)
{
    const size_t separator = helpFilePath.find_last_of(u"\\/");
    const std::u16string_view name =
        separator == std::u16string_view::npos ? helpFilePath : helpFilePath.substr(separator + 1);
    return LowerAscii(name);
}

int32_t ParseContextId(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(value == kLimit ? kLimit - 1 : value);
}

void HelpMappingTable::AddRowsFromText(std::string_view csv)
{
    size_t pos = 0;
    while (pos < csv.size()) {
        size_t end = csv.find('\n', pos);
        if (end == std::string_view::npos) end = csv.size();
        std::string_view line = csv.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.starts_with(kByteOrderMark)) AddRow(line);
        pos = end + 1;
    }
}

void HelpMappingTable::AddRow(std::string_view line)
{
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() < kFieldsPerRow) return;
    const std::optional<std::u16string> name = common::Utf8ToUtf16(fields[0]);
    std::optional<std::u16string> page = common::Utf8ToUtf16(fields[2]);
    if (!name || !page) return;
    // try_emplace keeps an existing entry: the first row for a pair wins.
    pages_[LowerAscii(*name)].try_emplace(ParseContextId(fields[1]), std::move(*page));
}

const std::u16string* HelpMappingTable::FindPage(const std::u16string& key, int32_t contextId) const
{
    const auto byName = pages_.find(key);
    if (byName == pages_.end()) return nullptr;
    const auto byId = byName->second.find(contextId);
    return byId == byName->second.end() ? nullptr : &byId->second;
}

}  // namespace guidara
