#include <algorithm>

#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/plot/CdatPlotView.h"

namespace logora::ui {

PlotLayout CdatPlotView::CurrentLayout() const
{
    PlotLayout layout;
    layout.kept = true;
    layout.ownScales = chart_->PenScales();
    const TrendSeries& own = chart_->Series(0);
    for (size_t pen = 0; pen < own.PenCount(); ++pen)
        if (chart_->IsPenHidden(chart_->Sources().PenIndex(0, pen)))
            layout.hiddenPens.push_back(own.Pen(pen).name);
    if (chart_->ViewMoved()) {
        const CGraphon::Viewport view = chart_->CurrentViewport();
        layout.zoomed = true;
        layout.timeFrom = view.timeFrom;
        layout.timeTo = view.timeTo;
        layout.valueFrom = view.valueFrom;
        layout.valueTo = view.valueTo;
    }
    return layout;
}

void CdatPlotView::ApplyLayout(const PlotLayout& layout)
{
    if (!layout.kept) return;
    chart_->SetPenScales(layout.ownScales);
    const TrendSeries& own = chart_->Series(0);
    for (size_t pen = 0; pen < own.PenCount(); ++pen) {
        const auto& hidden = layout.hiddenPens;
        const bool isHidden = std::find(hidden.begin(), hidden.end(), own.Pen(pen).name) != hidden.end();
        chart_->SetPenHidden(chart_->Sources().PenIndex(0, pen), isHidden);
    }
    // A zoom on times the file no longer holds would show an empty chart.
    if (layout.zoomed && own.SampleCount() > 0 && layout.timeTo > own.Time(0) &&
        layout.timeFrom < own.Time(own.SampleCount() - 1))
        chart_->SetViewport({layout.timeFrom, layout.timeTo, layout.valueFrom, layout.valueTo});
}

}  // namespace logora::ui
