#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace guidara {

// The key under which a help file is looked up: the part of `helpFilePath`
// after its last backslash or slash (both separate folders here), ASCII
// letters lowered.
std::u16string HelpFileKey(std::u16string_view helpFilePath);

// Help file name -> context id -> page file, filled from the mapping CSV.
class HelpMappingTable
{
public:
    // Adds the rows of a mapping CSV (UTF-8; CR LF or LF line ends). The line
    // that starts with the byte order mark is the header and never a row;
    // lines with fewer than three fields or with malformed UTF-8 are skipped;
    // a row whose name and context id are already present is dropped, so the
    // first one stays.
    void AddRowsFromText(std::string_view csv);

    // The page file for a key made by HelpFileKey, or nullptr.
    const std::u16string* FindPage(const std::u16string& key, int32_t contextId) const;

    bool IsEmpty() const { return pages_.empty(); }

private:
    void AddRow(std::string_view line);

    std::map<std::u16string, std::map<int32_t, std::u16string>> pages_;
};

// Reads a context id the way the table's rows are written: leading blanks,
// an optional sign, decimal digits up to the first non-digit (none: 0);
// values beyond the 32-bit range saturate.
int32_t ParseContextId(std::string_view text);

}  // namespace guidara
