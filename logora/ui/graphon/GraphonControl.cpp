#include "logora/ui/graphon/GraphonControl.h"

#include <cmath>

namespace logora::ui {

void GraphonControl::AddSamples(SampleColumns samples)
{
    std::vector<std::optional<double>> values(samples.values.size());
    for (size_t i = 0; i < samples.times.size(); ++i) {
        for (size_t p = 0; p < values.size(); ++p) {
            const double value = samples.values[p][i];
            values[p] = std::isnan(value) ? std::nullopt : std::optional(value);
        }
        AddSample(samples.times[i], samples.milliseconds[i], values);
    }
}

}  // namespace logora::ui
