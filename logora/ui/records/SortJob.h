#pragma once
// Builds the sort order of one column: a first pass reads each record's key
// (numbers, dates and times by value; texts by their rank in the code page's
// byte order while they are few, else by their first eight bytes with ties
// broken by the rest of the texts), then Sort orders the record numbers;
// equal values keep file order. Sort touches only the job's own memory and
// files, so it may run on another thread.
//
// Up to `memoryRecords` records are sorted in memory (12 bytes a record while
// sorting, 4 more while text ties are broken, 4 in the result). Larger tables
// go through temporary files: runs of `runRecords` keys are written as they
// are read, Sort orders each run and merges them into an index file.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "logora/ui/records/RecordIndex.h"
#include "logora/ui/records/RecordJob.h"
#include "logora/ui/records/SortKeys.h"
#include "logora/ui/records/TextTies.h"

namespace logora::ui {

class RecordCells;

class SortJob : public RecordJob
{
public:
    static constexpr int64_t kMemoryRecords = 16'000'000;
    static constexpr int64_t kRunRecords = 4'000'000;
    static constexpr size_t kRankedTexts = 1 << 16;

    SortJob(RecordCells& cells, int field, bool ascending, int64_t memoryRecords = kMemoryRecords,
            int64_t runRecords = kRunRecords, size_t rankedTexts = kRankedTexts);
    ~SortJob() override;

    bool Step(int64_t records) override;
    double Fraction() const override;
    // False when a temporary file could not be written.
    bool Sort();
    // The sorted record numbers; the job is spent afterwards.
    RecordIndex TakeIndex();

private:
    uint64_t TextKey(std::string_view text);
    // Final keys: text ids become ranks, descending order inverts.
    void FinishKeys(std::vector<KeyedRecord>& keys, bool idsArePrefixes) const;
    std::vector<uint32_t> TextRanks();
    void WriteRun();
    bool MergeRuns();
    bool BreakTiesOfRun(uint32_t first);

    RecordCells& cells_;
    int field_;
    bool ascending_;
    bool numeric_;
    bool external_;
    int64_t runRecords_;
    int64_t next_ = 0;
    std::vector<KeyedRecord> keys_;
    // Distinct texts while they are few; beyond that texts are keyed by
    // their first eight bytes and the ties broken afterwards.
    size_t rankedTexts_;
    struct TextHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>> dictionary_;
    bool prefixKeys_ = false;
    TextTies ties_;
    std::vector<uint32_t> rank_;
    RecordIndex index_;
    // The external sort: runs written so far, and how many of them hold
    // dictionary ids that became prefixes afterwards.
    std::unique_ptr<TemporaryWriter> runs_;
    std::vector<uint64_t> runSizes_;
    size_t runsWithIds_ = 0;
    std::vector<uint64_t> prefixOfId_;
    bool failed_ = false;
};

// Doubles as unsigned keys of the same order; a missing value sorts first.
uint64_t OrderedKey(double value);

}  // namespace logora::ui
