#include "logora/ui/plotdata/PlotSources.h"

#include <algorithm>

namespace logora::ui {

size_t PlotSources::AddSource(std::string label)
{
    sources_.push_back({std::move(label), 0, {}});
    return sources_.size() - 1;
}

void PlotSources::ClearPens(size_t source)
{
    sources_[source].hidden.clear();
}

void PlotSources::AddPen(size_t source)
{
    sources_[source].hidden.push_back(false);
}

void PlotSources::RemoveSource(size_t source)
{
    sources_.erase(sources_.begin() + static_cast<std::ptrdiff_t>(source));
}

size_t PlotSources::PenCount() const
{
    size_t count = 0;
    for (const Source& source : sources_) count += source.hidden.size();
    return count;
}

PlotSources::PenAt PlotSources::Locate(size_t pen) const
{
    size_t source = 0;
    while (pen >= sources_[source].hidden.size()) pen -= sources_[source++].hidden.size();
    return {source, pen};
}

size_t PlotSources::PenIndex(size_t source, size_t pen) const
{
    for (size_t s = 0; s < source; ++s) pen += sources_[s].hidden.size();
    return pen;
}

bool PlotSources::IsHidden(size_t pen) const
{
    if (pen >= PenCount()) return false;
    const PenAt at = Locate(pen);
    return sources_[at.source].hidden[at.pen];
}

void PlotSources::SetHidden(size_t pen, bool hidden)
{
    if (pen >= PenCount()) return;
    const PenAt at = Locate(pen);
    sources_[at.source].hidden[at.pen] = hidden;
}

void PlotSources::SetSourceHidden(size_t source, bool hidden)
{
    std::vector<bool>& pens = sources_[source].hidden;
    std::fill(pens.begin(), pens.end(), hidden);
}

bool PlotSources::IsSourceHidden(size_t source) const
{
    const std::vector<bool>& pens = sources_[source].hidden;
    return !pens.empty() && std::all_of(pens.begin(), pens.end(), [](bool hidden) { return hidden; });
}

std::string PlotSources::LegendName(size_t pen, const std::string& penName) const
{
    if (sources_.size() < 2) return penName;
    return Label(Locate(pen).source) + ": " + penName;
}

TimeRange PlotSources::AxisRange(std::span<const TimeRange> fileRanges) const
{
    TimeRange axis;
    for (size_t s = 0; s < fileRanges.size() && s < sources_.size(); ++s)
        if (!fileRanges[s].empty)
            axis.include(fileRanges[s].from + sources_[s].offset, fileRanges[s].to + sources_[s].offset);
    return axis;
}

}  // namespace logora::ui
