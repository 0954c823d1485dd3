#pragma once
// The list-form CSV line of a log's item, made straight from the item by a
// format's `Fields`: which field each column shows, and the text of a column
// of the item (KeyedColumnTexts.h). The columns of the time stamp are kept
// from one item to the next while the stamp stays the same.
//
// `Fields` offers:
//   using Record = ...;                     the decoded item
//   int SourceAt(uint32_t offset) const;    a column's field by its offset
//   static constexpr int kStamp;            the source of stamp columns
//   Record Decode(const uint8_t* item);
//   uint64_t Stamp(const Record&);          equal stamps, equal stamp texts
//   const uint8_t* SetStamp(const Record&); fills the stamp fields; the record
//   char* Put(KeyedColumnTexts&, size_t column, int source, const Record&, char* at);

#include <cstdint>
#include <memory>
#include <vector>

#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/export/KeyedColumnTexts.h"
#include "logora/engine/export/ListLineFormatter.h"

namespace logora {

template <typename Fields>
class KeyedLineStage final : public RecordStage
{
public:
    KeyedLineStage(std::unique_ptr<Fields> fields, std::unique_ptr<ListLineFormatter> lines)
        : fields_(std::move(fields)), lines_(std::move(lines)), texts_(*lines_)
    {
        for (const PlannedColumn& column : lines_->Plan().columns)
            sources_.push_back(fields_->SourceAt(column.offset));
    }

    size_t MaxLength() const override { return lines_->MaxLength(); }

    size_t Put(const uint8_t* item, char* output) override
    {
        const typename Fields::Record record = fields_->Decode(item);
        if (const uint64_t stamp = fields_->Stamp(record); !haveStamp_ || stamp != stamp_) {
            const uint8_t* built = fields_->SetStamp(record);
            for (size_t i = 0; i < sources_.size(); ++i)
                if (sources_[i] == Fields::kStamp) texts_.Keep(i, built);
            stamp_ = stamp;
            haveStamp_ = true;
        }
        char* at = output;
        for (size_t i = 0; i < sources_.size(); ++i) {
            at = sources_[i] == Fields::kStamp ? texts_.PutKept(at, i)
                                               : fields_->Put(texts_, i, sources_[i], record, at);
            *at++ = ',';
        }
        *at++ = '\r';
        *at++ = '\n';
        return static_cast<size_t>(at - output);
    }

private:
    std::unique_ptr<Fields> fields_;
    std::unique_ptr<ListLineFormatter> lines_;
    KeyedColumnTexts texts_;
    std::vector<int> sources_;
    bool haveStamp_ = false;
    uint64_t stamp_ = 0;
};

}  // namespace logora
