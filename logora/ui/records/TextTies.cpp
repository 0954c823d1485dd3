#include "logora/ui/records/TextTies.h"

#include <algorithm>

#include "logora/engine/dbf/CDBF.h"
#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

constexpr uint32_t kUntied = UINT32_MAX;

}  // namespace

TextTies::TextTies(const RecordCells& cells, int field, bool ascending)
    : cells_(cells), field_(field), ascending_(ascending)
{}

TextTies::~TextTies() = default;

std::string_view TextTies::Text(uint32_t record)
{
    if (!opened_) {
        opened_ = true;
        table_ = std::make_unique<CDBF>(cells_.MappingErrors());
        if (!table_->OpenRead(cells_.TablePath()) || !table_->ReadFieldDescriptors()) table_.reset();
    }
    const uint8_t* bytes = nullptr;
    if (!table_ || !table_->ReadRecord(record, &bytes) || !bytes) return {};
    return cells_.RawText(bytes, field_);
}

bool TextTies::Break(std::vector<KeyedRecord>& keys, uint32_t first)
{
    const size_t count = keys.size();
    // Where a group of records whose texts are equal so far begins.
    std::vector<bool> starts(count + 1, true);
    for (size_t i = 1; i < count; ++i) starts[i] = keys[i].key != keys[i - 1].key;
    // Per record (from `first`): its entry while its group is still tied.
    std::vector<uint32_t> tied;
    auto groupEnd = [&](size_t i) {
        while (++i < count && !starts[i]) {
        }
        return i;
    };
    for (size_t offset = 8;; offset += 8) {
        tied.assign(count, kUntied);
        bool any = false;
        for (size_t i = 0, end; i < count; i = end) {
            end = groupEnd(i);
            if (end - i < 2 || !Continues(keys[i].key)) continue;
            any = true;
            for (size_t k = i; k < end; ++k) tied[keys[k].record - first] = static_cast<uint32_t>(k);
        }
        if (!any) return true;
        for (size_t r = 0; r < count; ++r) {
            if (tied[r] == kUntied) continue;
            std::string_view text = Text(first + static_cast<uint32_t>(r));
            if (!table_) return false;
            uint64_t chunk = ChunkKey(text, offset);
            keys[tied[r]].key = ascending_ ? chunk : ~chunk;
        }
        for (size_t i = 0, end; i < count; i = end) {
            end = groupEnd(i);
            if (tied[keys[i].record - first] != i) continue;
            std::sort(keys.begin() + static_cast<std::ptrdiff_t>(i),
                      keys.begin() + static_cast<std::ptrdiff_t>(end), Before());
            for (size_t k = i + 1; k < end; ++k) starts[k] = keys[k].key != keys[k - 1].key;
        }
    }
}

}  // namespace logora::ui
