#include "logora/ui/records/SortJob.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

constexpr size_t kMaxDistinctTexts = 1 << 20;

uint64_t PrefixKey(std::string_view text)
{
    uint64_t key = 0;
    for (size_t i = 0; i < 8; ++i) key = (key << 8) | (i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return key;
}

}  // namespace

uint64_t OrderedKey(double value)
{
    if (std::isnan(value)) return 0;
    uint64_t bits = std::bit_cast<uint64_t>(value);
    return (bits & (uint64_t(1) << 63)) ? ~bits : bits | (uint64_t(1) << 63);
}

SortJob::SortJob(RecordCells& cells, int field, bool ascending)
    : cells_(cells), field_(field), ascending_(ascending), numeric_(cells.IsNumeric(field))
{
    keys_.reserve(static_cast<size_t>(cells.RecordCount()));
}

double SortJob::Fraction() const
{
    int64_t total = cells_.RecordCount();
    return total == 0 ? 1.0 : static_cast<double>(next_) / static_cast<double>(total);
}

uint64_t SortJob::TextKey(std::string_view text)
{
    if (prefixKeys_) return PrefixKey(text);
    auto [entry, added] =
        dictionary_.try_emplace(std::string(text), static_cast<uint32_t>(dictionary_.size()));
    if (added && dictionary_.size() > kMaxDistinctTexts) {
        // Too many distinct texts to rank: every key so far becomes its prefix.
        std::vector<uint64_t> prefixOfId(dictionary_.size());
        for (const auto& [t, id] : dictionary_) prefixOfId[id] = PrefixKey(t);
        for (KeyedRecord& entry : keys_) entry.key = prefixOfId[entry.key];
        dictionary_.clear();
        prefixKeys_ = true;
        return PrefixKey(text);
    }
    return entry->second;
}

bool SortJob::Step(int64_t records)
{
    int64_t end = std::min(cells_.RecordCount(), next_ + records);
    for (; next_ < end; ++next_) {
        const uint8_t* record = cells_.Read(next_);
        uint64_t key = 0;
        if (record && numeric_) {
            auto value = cells_.Number(record, field_);
            key = value ? OrderedKey(*value) : 0;
        } else if (record) {
            key = TextKey(cells_.RawText(record, field_));
        }
        keys_.push_back({key, static_cast<uint32_t>(next_)});
    }
    return next_ >= cells_.RecordCount();
}

void SortJob::RankTexts()
{
    if (numeric_ || prefixKeys_) return;
    std::vector<const std::string*> texts(dictionary_.size());
    for (const auto& [text, id] : dictionary_) texts[id] = &text;
    std::vector<uint32_t> ids(texts.size());
    std::iota(ids.begin(), ids.end(), 0u);
    std::sort(ids.begin(), ids.end(), [&](uint32_t a, uint32_t b) { return *texts[a] < *texts[b]; });
    std::vector<uint32_t> rank(ids.size());
    for (uint32_t r = 0; r < ids.size(); ++r) rank[ids[r]] = r;
    for (KeyedRecord& entry : keys_) entry.key = rank[entry.key];
    dictionary_.clear();
}

void SortJob::Sort()
{
    RankTexts();
    if (!ascending_)
        for (KeyedRecord& entry : keys_) entry.key = ~entry.key;
    // Equal keys keep file order.
    std::sort(keys_.begin(), keys_.end(), [](const KeyedRecord& a, const KeyedRecord& b) {
        return a.key < b.key || (a.key == b.key && a.record < b.record);
    });
    index_.resize(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) index_[i] = keys_[i].record;
    std::vector<KeyedRecord>().swap(keys_);
}

std::vector<uint32_t> SortJob::TakeIndex()
{
    return std::move(index_);
}

}  // namespace logora::ui
