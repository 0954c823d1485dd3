#pragma once
// The files one trend plot shows: the document's own first, then those added
// to it, each with a label (its file name), a time offset and its pens. Pens
// are numbered across the files in that order, the legend's order, and are
// hidden one by one or a file at a time.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "logora/ui/plotdata/TimeFit.h"

namespace logora::ui {

class PlotSources
{
public:
    struct PenAt
    {
        size_t source;
        size_t pen;  // within the source
    };

    // A file without pens yet; returns its index.
    size_t AddSource(std::string label);
    // Its pens go, with their hidden marks; its label and offset stay.
    void ClearPens(size_t source);
    void AddPen(size_t source);
    // The files after it move up one place.
    void RemoveSource(size_t source);

    size_t SourceCount() const { return sources_.size(); }
    size_t PenCount() const;
    size_t PenCount(size_t source) const { return sources_[source].hidden.size(); }
    const std::string& Label(size_t source) const { return sources_[source].label; }
    void SetLabel(size_t source, std::string label) { sources_[source].label = std::move(label); }
    // Seconds added to the file's times on the plot's axis.
    double Offset(size_t source) const { return sources_[source].offset; }
    void SetOffset(size_t source, double seconds) { sources_[source].offset = seconds; }

    // `pen` below PenCount().
    PenAt Locate(size_t pen) const;
    size_t PenIndex(size_t source, size_t pen) const;

    bool IsHidden(size_t pen) const;
    void SetHidden(size_t pen, bool hidden);
    // Every pen of the file at once; a file counts as hidden when all its
    // pens are.
    void SetSourceHidden(size_t source, bool hidden);
    bool IsSourceHidden(size_t source) const;

    // The pen's name in the legend and the crosshair: "plant2.log: Boiler.Temp"
    // once the plot shows more than one file, its own name before.
    std::string LegendName(size_t pen, const std::string& penName) const;

    // The files' time ranges (one a file, in file order, empty for a file
    // without samples), each moved by its offset, on the one axis.
    TimeRange AxisRange(std::span<const TimeRange> fileRanges) const;

private:
    struct Source
    {
        std::string label;
        double offset = 0;
        std::vector<bool> hidden;  // one a pen
    };
    std::vector<Source> sources_;
};

}  // namespace logora::ui
