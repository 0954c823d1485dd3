#pragma once
// The text that Copy puts on the clipboard, in UTF-8: a header line of the
// shown column names, then one line per selected row in list order, cells
// separated by tabs (tabs and line breaks inside a cell become spaces).
// It is built a slice of rows at a time (a RecordJob) and handed on line by
// line, so the list stays responsive, Escape can stop it, and only its
// destination holds it. Its size is estimated first from rows spread over
// the selection, to ask before a large copy and to offer saving the records
// instead of a text the clipboard cannot reasonably hold.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "logora/ui/records/RecordJob.h"
#include "logora/ui/records/RowSelection.h"

namespace logora::ui {

class RecordCells;
class RowOrder;

// A copy of a larger text asks first, saying its size.
inline constexpr uint64_t kCopyWithoutAsking = 64'000'000;
// Beyond this the clipboard is no place for the text: pasting it would need
// the platform's copy of it beside ours (twice as large in UTF-16), which a
// 32-bit process cannot hold.
inline constexpr uint64_t kClipboardLimit = sizeof(void*) >= 8 ? 1'000'000'000 : 250'000'000;

enum class CopyRoute { Copy, AskFirst, SaveInstead };
CopyRoute RouteOfCopy(uint64_t bytes);

class CopyJob : public RecordJob
{
public:
    using Sink = std::function<void(std::string_view utf8)>;

    // `fields` are the shown columns' fields, `names` their headings.
    CopyJob(RecordCells& cells, const RowOrder& order, const RowSelection& selection, std::vector<int> fields,
            const std::vector<std::string>& names, Sink sink);
    bool Step(int64_t records) override;
    double Fraction() const override;

private:
    RecordCells& cells_;
    const RowOrder& order_;
    std::vector<RowSelection::Range> ranges_;
    std::vector<int> fields_;
    Sink sink_;
    size_t range_ = 0;
    int64_t row_ = 0;
    int64_t done_ = 0, total_;
    std::string line_, cell_, utf8_;
};

// The whole text at once.
std::string CopyText(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                     const std::vector<int>& fields, const std::vector<std::string>& names);

// About how many bytes CopyText makes: the header and up to `samples` lines
// spread evenly over the selection, scaled to all of it (exact when the
// selection has no more rows than that).
uint64_t EstimateCopyBytes(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                           const std::vector<int>& fields, const std::vector<std::string>& names,
                           int64_t samples = 1000);

// Appends a cell of a tab-separated line: its tabs and line breaks become spaces.
void AppendCell(std::string& out, const std::string& cell);
// A text in the table's code page as UTF-8, in `utf8` unless it is ASCII and
// passes as it is (most lines do).
std::string_view AsUtf8(const std::string& line, int codePage, std::string& utf8);

// "12 bytes", "about 3 kB", "about 877 MB", "about 1.8 GB" (powers of 1000).
std::string ApproximateSize(uint64_t bytes);

// The records of the selected rows in list order, for saving them instead.
std::vector<uint32_t> SelectedRecords(const RowOrder& order, const RowSelection& selection);

}  // namespace logora::ui
