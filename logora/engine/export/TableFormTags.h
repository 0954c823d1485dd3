#pragma once
// The tag columns of the table form, one per tag in the order of the tag list
// (tag number order), and which of them a record's tag text belongs to. Two
// tags whose names print alike still have a column each.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace logora {

class TableFormTags
{
public:
    // `tags` in column order; the table holds each name cut to
    // `tagColumnLength` bytes.
    TableFormTags(const std::vector<std::string>& tags, size_t tagColumnLength);
    TableFormTags(const TableFormTags&) = delete;
    TableFormTags& operator=(const TableFormTags&) = delete;

    size_t Count() const { return names_.size(); }
    // The column of the first tag named exactly `text`, else of the first
    // named so without regard to ASCII case, else of the first named `text`
    // without its surrounding blanks; Count() when none is.
    size_t Find(std::string_view text) const;

private:
    std::vector<std::string> names_;  // as the table holds them
    std::unordered_map<std::string_view, size_t> firstNamed_;
};

// `text` without leading and trailing blanks.
std::string_view WithoutBlanks(std::string_view text);

}  // namespace logora
