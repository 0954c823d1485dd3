#include "logora/engine/document/FollowedConversion.h"

#include <cstring>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/TableAppend.h"

namespace logora {

// Keeps the records made, one after another.
class FollowedConversion::Records : public DBFRecordSink
{
public:
    void BeginRecords(const CDBF& table) override { recordLength = table.GetRecordLength(); }
    void TakeRecord(const uint8_t* record) override
    {
        bytes.insert(bytes.end(), record, record + recordLength);
    }

    size_t recordLength = 0;
    std::vector<uint8_t> bytes;
};

FollowedConversion::FollowedConversion(std::unique_ptr<Converter> converter)
    : converter_(std::move(converter)), records_(std::make_unique<Records>())
{
    maker_ = converter_->MakerFor(*records_);
}

FollowedConversion::~FollowedConversion() = default;

std::string FollowedConversion::AppendTo(const InputGrowth& growth, const std::string& tablePath,
                                         std::vector<uint16_t>* recordTags)
{
    const size_t stride = growth.recordLength;
    for (size_t i = 0; i < growth.count; ++i) {
        std::string problem = converter_->ItemProblem(growth.records.data() + i * stride);
        if (!problem.empty()) return problem;
    }
    std::vector<uint16_t> tags;
    for (size_t i = 0; i < growth.count; ++i) {
        const size_t tag = converter_->TakeItemTag(growth.records.data() + i * stride);
        if (recordTags != nullptr) tags.push_back(static_cast<uint16_t>(tag));
    }
    records_->bytes.clear();
    // Items are whole input records, or their first part.
    const size_t itemLength = converter_->ItemLength();
    if (itemLength == 0 || itemLength == stride) {
        maker_->Make(growth.records.data(), growth.count);
    } else {
        for (size_t i = 0; i < growth.count; ++i) maker_->Make(growth.records.data() + i * stride, 1);
    }
    std::string failure =
        AppendToTable(tablePath, records_->bytes.data(), growth.count, records_->recordLength);
    if (failure.empty() && recordTags != nullptr)
        recordTags->insert(recordTags->end(), tags.begin(), tags.end());
    return failure;
}

}  // namespace logora
