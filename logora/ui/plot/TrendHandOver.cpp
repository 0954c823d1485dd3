#include "logora/ui/plot/TrendHandOver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/ui/graphon/GraphonControl.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

int32_t TimeAxisSpanSeconds(double spanDays)
{
    double seconds = std::round(spanDays * 86400.0);  // half away from zero
    // Samples out of time order could give a negative span; the axis still
    // shows at least one minute.
    if (!(seconds >= 0)) seconds = 0;
    seconds = std::min(seconds, 2147483000.0);
    int64_t whole = static_cast<int64_t>(seconds);
    return static_cast<int32_t>(std::min<int64_t>(60 * (1 + whole / 60), INT32_MAX));
}

std::string PenName(const std::string& key, bool tagNamesKnown)
{
    QString name = ToQString(tagNamesKnown ? key : "Tag" + key);
    if (name.size() > static_cast<qsizetype>(kMaxPenName)) {
        // Never keep half of a surrogate pair.
        bool pairCut = name[static_cast<qsizetype>(kMaxPenName) - 1].isHighSurrogate();
        name.truncate(static_cast<qsizetype>(kMaxPenName) - (pairCut ? 1 : 0));
    }
    return name.toStdString();
}

void LoadTrend(CDatReaderDoc& document, ControlProcess& progress, const std::vector<uint32_t>* records)
{
    if (records)
        document.LoadTrendRecords(progress, *records, kMaxPens);
    else
        document.LoadTrendData(progress, kMaxPens);
}

void HandOverSamples(TrendSamples& samples, const std::map<std::string, int32_t>& tagMap, bool tagNamesKnown,
                     GraphonControl& chart)
{
    chart.SetLiveMode(false);
    if (samples.empty()) return;

    size_t penCount = std::min(tagMap.size(), kMaxPens);
    std::vector<const std::string*> keyOfPen(penCount, nullptr);
    for (const auto& [key, pen] : tagMap)
        if (pen >= 0 && static_cast<size_t>(pen) < penCount) keyOfPen[static_cast<size_t>(pen)] = &key;
    for (size_t pen = 0; pen < penCount; ++pen)
        chart.AddPen(PenName(keyOfPen[pen] ? *keyOfPen[pen] : std::string(), tagNamesKnown), "", "N/A", 0.0f,
                     100.0f);

    chart.SetTimeSpan(TimeAxisSpanSeconds(samples.DateTime(samples.size() - 1) - samples.DateTime(0)));

    // The chart takes the columns over.
    SampleColumns columns{samples.TakeDateTimes(), samples.TakeMilliseconds(), samples.TakeValues()};
    samples.clear();
    chart.AddSamples(std::move(columns));
}

void HandOverSamples(CDatReaderDoc& document, GraphonControl& chart)
{
    HandOverSamples(document.GetSamples(), document.GetTagMap(), document.HasTagNames(), chart);
}

}  // namespace logora::ui
