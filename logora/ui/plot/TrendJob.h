#pragma once
// A document's trend samples built a slice at a time into samples of the
// job's own, with the pens numbered as the document numbers them: so another
// document's plot can read it between events while the document's own list
// and plot go on.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "logora/engine/document/DocumentTrendSteps.h"
#include "logora/engine/document/TrendLoader.h"
#include "logora/engine/document/TrendSamples.h"
#include "logora/ui/records/RecordJob.h"

namespace logora {
class CDatReaderDoc;
}

namespace logora::ui {

class TrendJob : public RecordJob
{
public:
    // `document` outlives the job. Values of pens from `pensKept` on are left out.
    TrendJob(CDatReaderDoc& document, size_t pensKept);

    bool Step(int64_t records) override { return steps_.Step(records); }
    double Fraction() const override;

    TrendSamples& Samples() { return samples_; }
    const std::map<std::string, int32_t>& TagMap() const { return pens_.map; }

private:
    TagPens pens_;
    TrendSamples samples_;
    DocumentTrendSteps steps_;
};

}  // namespace logora::ui
