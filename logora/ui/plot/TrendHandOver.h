#pragma once
// Hands trend samples to a chart: pens first, then the visible time span,
// then the samples in time stamp order. The chart takes the sample columns
// over, so the data is held only once.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace logora {
class CDatReaderDoc;
class ControlProcess;
class TrendSamples;
}  // namespace logora

namespace logora::ui {

class GraphonControl;

inline constexpr size_t kMaxPens = 100;
inline constexpr size_t kMaxPenName = 255;

// The smallest whole number of minutes, in seconds, that is greater than the
// span rounded to whole seconds (0 s gives 60, 3600 s gives 3660).
int32_t TimeAxisSpanSeconds(double spanDays);

// The key itself when the datalog's tag names are known, else "Tag" + key,
// read in the active code page as the record list reads it, cut to
// kMaxPenName characters and given in UTF-8 as the chart takes it.
std::string PenName(const std::string& key, bool tagNamesKnown);

// Builds the document's samples of the pens a chart shows; with `records`,
// only those records (ascending) make them.
void LoadTrend(CDatReaderDoc& document, ControlProcess& progress,
               const std::vector<uint32_t>* records = nullptr);
// Hands the samples over (they are empty afterwards); pens by the tag map,
// named by PenName. Nothing without samples.
void HandOverSamples(TrendSamples& samples, const std::map<std::string, int32_t>& tagMap, bool tagNamesKnown,
                     GraphonControl& chart);
void HandOverSamples(CDatReaderDoc& document, GraphonControl& chart);

}  // namespace logora::ui
