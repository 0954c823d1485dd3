#include "logora/engine/export/TagTexts.h"

#include <memory>
#include <unordered_set>

#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/TableFormTags.h"

namespace logora {

bool CollectTagTexts(const ColumnPlan& plan, int64_t count, int floatLength, int decimalCount,
                     const std::function<bool(int64_t, const uint8_t**)>& readRecord,
                     std::vector<std::string>& tags)
{
    const int tagColumn = plan.Find(ColumnRole::Tag);
    if (tagColumn < 0) return true;
    const PlannedColumn& planned = plan.columns[size_t(tagColumn)];
    std::unique_ptr<char[]> text(new char[planned.maxTextLength + 1]);
    std::unordered_set<std::string> seen(tags.begin(), tags.end());
    for (int64_t index = 0; index < count; ++index) {
        const uint8_t* record = nullptr;
        if (!readRecord(index, &record)) return false;
        const size_t length =
            planned.format(text.get(), record + planned.offset, planned.length, floatLength, decimalCount);
        std::string tag(WithoutBlanks(std::string_view(text.get(), length)));
        if (seen.insert(tag).second) tags.push_back(std::move(tag));
    }
    return true;
}

}  // namespace logora
