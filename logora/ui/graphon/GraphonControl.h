#pragma once
// The calls a trend chart accepts from the plot view: pens first, then the
// visible time span, then the samples, one per time stamp. The plot view
// talks to this interface only, so tests can record the hand-over.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QPainter;
class QRect;

namespace logora::ui {

// Many samples at once, column by column, all columns of one length.
struct SampleColumns
{
    std::vector<double> times;  // as AddSample's time
    std::vector<int32_t> milliseconds;
    std::vector<std::vector<double>> values;  // [pen][sample]; NaN: no value
};

class GraphonControl
{
public:
    virtual ~GraphonControl() = default;

    // Live mode follows the newest sample; the plot view switches it off
    // before handing over recorded data.
    virtual void SetLiveMode(bool live) = 0;
    // Texts in UTF-8.
    virtual void AddPen(const std::string& name, const std::string& description, const std::string& unit,
                        float minimum, float maximum) = 0;
    virtual void SetTimeSpan(int32_t seconds) = 0;
    // time: days since 30 December 1899 (fraction = time of day). An empty
    // value means the pen has no value at this instant.
    virtual void AddSample(double time, int32_t milliseconds,
                           std::span<const std::optional<double>> values) = 0;
    // The samples in column order, as if each were given to AddSample in
    // turn (which is what this does); a chart that keeps its samples in
    // columns takes the columns over instead.
    virtual void AddSamples(SampleColumns samples);
    virtual void PrintPage(QPainter& painter, const QRect& page) = 0;
};

}  // namespace logora::ui
