#include "logora/engine/export/TableFormTags.h"

#include "common/text/AsciiCase.h"

namespace logora {

TableFormTags::TableFormTags(const std::vector<std::string>& tags, size_t tagColumnLength)
{
    names_.reserve(tags.size());
    for (const std::string& tag : tags) {
        const std::string_view name(tag.data(), tag.size() < tagColumnLength ? tag.size() : tagColumnLength);
        names_.emplace_back(name.substr(0, name.find('\0')));
    }
    for (size_t k = names_.size(); k > 0; --k) firstNamed_[names_[k - 1]] = k - 1;
}

size_t TableFormTags::Find(std::string_view text) const
{
    if (const auto found = firstNamed_.find(text); found != firstNamed_.end()) return found->second;
    for (size_t k = 0; k < names_.size(); ++k)
        if (common::EqualsIgnoringAsciiCase(names_[k], text)) return k;
    if (const auto found = firstNamed_.find(WithoutBlanks(text)); found != firstNamed_.end())
        return found->second;
    return names_.size();
}

std::string_view WithoutBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace logora
