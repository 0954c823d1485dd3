#include "logora/ui/plot/TrendJob.h"

#include "logora/engine/document/CDatReaderDoc.h"

namespace logora::ui {

TrendJob::TrendJob(CDatReaderDoc& document, size_t pensKept)
    : pens_{document.GetTagMap(), static_cast<int32_t>(document.GetTagMap().size())},
      steps_(document.TrendStepsFor(pens_, samples_, pensKept, nullptr))
{}

double TrendJob::Fraction() const
{
    return steps_.Total() > 0 ? static_cast<double>(steps_.Done()) / static_cast<double>(steps_.Total())
                              : 1.0;
}

}  // namespace logora::ui
