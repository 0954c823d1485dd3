#include "logora/ui/records/SortJob.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <queue>

#include "logora/engine/document/TemporaryTable.h"
#include "logora/engine/largefile/CLargeFile.h"
#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

// Reads one sorted run of a runs file entry by entry, a window at a time.
class RunReader
{
public:
    RunReader(const std::string& path, uint64_t first, uint64_t count, const MappingErrorSink& mappingErrors)
        : file_(mappingErrors), next_(first), end_(first + count)
    {
        ok_ = file_.OpenRead(path);
    }
    bool ok() const { return ok_; }
    bool Next(KeyedRecord& entry)
    {
        if (next_ >= end_) return false;
        ok_ = ok_ && file_.ReadInto(reinterpret_cast<uint8_t*>(&entry), next_ * sizeof entry, sizeof entry);
        ++next_;
        return ok_;
    }

private:
    CLargeFile file_;
    uint64_t next_, end_;
    bool ok_ = false;
};

}  // namespace

uint64_t OrderedKey(double value)
{
    if (std::isnan(value)) return 0;
    uint64_t bits = std::bit_cast<uint64_t>(value);
    return (bits & (uint64_t(1) << 63)) ? ~bits : bits | (uint64_t(1) << 63);
}

SortJob::SortJob(RecordCells& cells, int field, bool ascending, int64_t memoryRecords, int64_t runRecords,
                 size_t rankedTexts)
    : cells_(cells),
      field_(field),
      ascending_(ascending),
      numeric_(cells.IsNumeric(field)),
      external_(cells.RecordCount() > memoryRecords),
      runRecords_(std::max<int64_t>(runRecords, 1)),
      rankedTexts_(rankedTexts),
      ties_(cells, field, ascending)
{
    keys_.reserve(static_cast<size_t>(external_ ? runRecords_ : cells.RecordCount()));
    if (external_) {
        runs_ = std::make_unique<TemporaryWriter>(cells.MappingErrors());
        failed_ = !runs_->Create(cells.TablePath());
    }
}

SortJob::~SortJob() = default;

double SortJob::Fraction() const
{
    int64_t total = cells_.RecordCount();
    return total == 0 ? 1.0 : static_cast<double>(next_) / static_cast<double>(total);
}

uint64_t SortJob::TextKey(std::string_view text)
{
    if (prefixKeys_) return ChunkKey(text);
    if (auto known = dictionary_.find(text); known != dictionary_.end()) return known->second;
    auto entry = dictionary_.try_emplace(std::string(text), static_cast<uint32_t>(dictionary_.size())).first;
    if (dictionary_.size() > rankedTexts_) {
        // Too many distinct texts to rank: every key so far becomes its prefix.
        prefixOfId_.assign(dictionary_.size(), 0);
        for (const auto& [t, id] : dictionary_) prefixOfId_[id] = ChunkKey(t);
        for (KeyedRecord& keyed : keys_) keyed.key = prefixOfId_[keyed.key];
        runsWithIds_ = runSizes_.size();
        dictionary_.clear();
        prefixKeys_ = true;
        return ChunkKey(text);
    }
    return entry->second;
}

bool SortJob::Step(int64_t records)
{
    int64_t end = std::min(cells_.RecordCount(), next_ + records);
    for (; next_ < end && !failed_; ++next_) {
        const uint8_t* record = cells_.Read(next_);
        uint64_t key = 0;
        if (record && numeric_) {
            auto value = cells_.Number(record, field_);
            key = value ? OrderedKey(*value) : 0;
        } else if (record) {
            key = TextKey(cells_.RawText(record, field_));
        }
        keys_.push_back({key, static_cast<uint32_t>(next_)});
        if (external_ && static_cast<int64_t>(keys_.size()) == runRecords_) WriteRun();
    }
    if (failed_) return true;
    bool done = next_ >= cells_.RecordCount();
    if (done && external_ && !keys_.empty()) WriteRun();
    return done;
}

void SortJob::WriteRun()
{
    runs_->Append(keys_.data(), keys_.size() * sizeof(KeyedRecord));
    runSizes_.push_back(keys_.size());
    keys_.clear();
}

std::vector<uint32_t> SortJob::TextRanks()
{
    std::vector<const std::string*> texts(dictionary_.size());
    for (const auto& [text, id] : dictionary_) texts[id] = &text;
    std::vector<uint32_t> ids(texts.size());
    std::iota(ids.begin(), ids.end(), 0u);
    std::sort(ids.begin(), ids.end(), [&](uint32_t a, uint32_t b) { return *texts[a] < *texts[b]; });
    std::vector<uint32_t> rank(ids.size());
    for (uint32_t r = 0; r < ids.size(); ++r) rank[ids[r]] = r;
    dictionary_.clear();
    return rank;
}

void SortJob::FinishKeys(std::vector<KeyedRecord>& keys, bool idsArePrefixes) const
{
    for (KeyedRecord& keyed : keys) {
        if (idsArePrefixes)
            keyed.key = prefixOfId_[keyed.key];
        else if (!numeric_ && !prefixKeys_)
            keyed.key = rank_[keyed.key];
        if (!ascending_) keyed.key = ~keyed.key;
    }
}

bool SortJob::Sort()
{
    if (failed_) return false;
    if (!numeric_ && !prefixKeys_) rank_ = TextRanks();
    if (external_) return MergeRuns();
    FinishKeys(keys_, false);
    std::sort(keys_.begin(), keys_.end(), Before());  // equal keys keep file order
    if (prefixKeys_ && !ties_.Break(keys_, 0)) return false;
    std::vector<uint32_t> index(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) index[i] = keys_[i].record;
    std::vector<KeyedRecord>().swap(keys_);
    index_ = RecordIndex(std::move(index));
    return true;
}

bool SortJob::MergeRuns()
{
    if (!runs_->Finish()) return false;
    // Each run is read back, given its final keys, sorted and written again.
    TemporaryWriter sorted(cells_.MappingErrors());
    if (!sorted.Create(cells_.TablePath())) return false;
    {
        CLargeFile unsorted(cells_.MappingErrors());
        if (!unsorted.OpenRead(runs_->Path())) return false;
        uint64_t first = 0;
        const uint64_t perRead = CLargeFile::kMaxAppendLength / sizeof(KeyedRecord);
        for (size_t run = 0; run < runSizes_.size(); ++run) {
            keys_.resize(runSizes_[run]);
            for (uint64_t at = 0; at < runSizes_[run]; at += perRead) {
                uint64_t count = std::min(perRead, runSizes_[run] - at);
                if (!unsorted.ReadInto(reinterpret_cast<uint8_t*>(&keys_[at]),
                                       (first + at) * sizeof(KeyedRecord),
                                       static_cast<uint32_t>(count * sizeof(KeyedRecord))))
                    return false;
            }
            FinishKeys(keys_, run < runsWithIds_);
            std::sort(keys_.begin(), keys_.end(), Before());
            if (prefixKeys_ && !BreakTiesOfRun(static_cast<uint32_t>(first))) return false;
            for (uint64_t at = 0; at < keys_.size(); at += perRead)
                sorted.Append(&keys_[at], static_cast<uint32_t>(std::min(perRead, keys_.size() - at) *
                                                                sizeof(KeyedRecord)));
            first += runSizes_[run];
        }
    }
    std::vector<KeyedRecord>().swap(keys_);
    runs_.reset();
    if (!sorted.Finish()) return false;

    // The sorted runs merge into the index: the smallest head first.
    std::vector<std::unique_ptr<RunReader>> readers;
    using Head = std::pair<KeyedRecord, size_t>;
    // Heads of equal eight-byte keys compare by their whole texts, each read once.
    std::vector<std::string> headTexts(runSizes_.size());
    std::vector<bool> headRead(runSizes_.size(), false);
    auto text = [&](const Head& head) -> const std::string& {
        if (!headRead[head.second]) headTexts[head.second].assign(ties_.Text(head.first.record));
        headRead[head.second] = true;
        return headTexts[head.second];
    };
    auto later = [&](const Head& a, const Head& b) {
        if (a.first.key != b.first.key) return a.first.key > b.first.key;
        if (prefixKeys_ && ties_.Continues(a.first.key))
            if (int order = ties_.Compare(text(a), text(b)); order != 0) return order > 0;
        return a.first.record > b.first.record;
    };
    std::priority_queue<Head, std::vector<Head>, decltype(later)> heads(later);
    uint64_t first = 0;
    for (uint64_t size : runSizes_) {
        readers.push_back(std::make_unique<RunReader>(sorted.Path(), first, size, cells_.MappingErrors()));
        if (!readers.back()->ok()) return false;
        KeyedRecord head;
        if (readers.back()->Next(head)) heads.push({head, readers.size() - 1});
        first += size;
    }
    TemporaryWriter index(cells_.MappingErrors());
    if (!index.Create(cells_.TablePath())) return false;
    uint64_t written = 0;
    while (!heads.empty()) {
        auto [head, run] = heads.top();
        heads.pop();
        index.Append(&head.record, sizeof head.record);
        ++written;
        KeyedRecord next;
        headRead[run] = false;
        if (readers[run]->Next(next)) heads.push({next, run});
    }
    bool complete = written == first;
    for (auto& reader : readers) complete = complete && reader->ok();
    readers.clear();
    if (!index.Finish() || !complete) return false;
    index_ = RecordIndex(index.TakeFile(), written, cells_.MappingErrors());
    return true;
}

bool SortJob::BreakTiesOfRun(uint32_t first)
{
    // Ties are broken within their eight-byte key, so the key at each place
    // stays that of the run's order, the key the merge compares.
    std::vector<uint64_t> firstChunks(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) firstChunks[i] = keys_[i].key;
    if (!ties_.Break(keys_, first)) return false;
    for (size_t i = 0; i < keys_.size(); ++i) keys_[i].key = firstChunks[i];
    return true;
}

RecordIndex SortJob::TakeIndex()
{
    return std::move(index_);
}

}  // namespace logora::ui
