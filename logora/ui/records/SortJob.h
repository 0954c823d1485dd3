#pragma once
// Builds the sort order of one column: a first pass reads each record's key
// (numbers, dates and times by value, texts by their rank in the code page's
// byte order), then Sort orders the record numbers; equal keys keep file
// order. Sort touches only the job's own memory, so it may run on another
// thread.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "logora/ui/records/RecordJob.h"

namespace logora::ui {

class RecordCells;

class SortJob : public RecordJob
{
public:
    SortJob(RecordCells& cells, int field, bool ascending);

    bool Step(int64_t records) override;
    double Fraction() const override;
    void Sort();
    // The sorted record numbers; the job is spent afterwards.
    std::vector<uint32_t> TakeIndex();

private:
    uint64_t TextKey(std::string_view text);
    void RankTexts();

    RecordCells& cells_;
    int field_;
    bool ascending_;
    bool numeric_;
    int64_t next_ = 0;
    // Key and record side by side, 12 bytes, so the sort reads memory in
    // order instead of looking keys up at random.
#pragma pack(push, 4)
    struct KeyedRecord
    {
        uint64_t key;
        uint32_t record;
    };
#pragma pack(pop)
    std::vector<KeyedRecord> keys_;
    // Distinct texts while they are few; beyond that texts compare by
    // their first eight bytes.
    std::unordered_map<std::string, uint32_t> dictionary_;
    bool prefixKeys_ = false;
    std::vector<uint32_t> index_;
};

// Doubles as unsigned keys of the same order; a missing value sorts first.
uint64_t OrderedKey(double value);

}  // namespace logora::ui
