#include "viewer/readings_plot.h"

namespace ruvenset {

ReadingsPlot::ReadingsPlot(const Readings& readings) : readings_(readings) {
  index_.Build(readings_.time);
  for (int s = 0; s < kPlotSeriesCount; ++s) {
    const Source source{this, static_cast<PlotSeries>(s)};
    levels_[s].Build(TimeOrdered<Source>{index_, source}, index_.size());
  }
}

float ReadingsPlot::Sample(PlotSeries series, size_t reading) const {
  switch (series) {
    case PlotSeries::Value:
      return readings_.value[reading];
    case PlotSeries::ChannelAdc:
      return static_cast<float>(readings_.channelAdc[reading]);
    case PlotSeries::AmbientAdc:
      break;
  }
  return static_cast<float>(readings_.ambientAdc[reading]);
}

void ReadingsPlot::Trace(PlotSeries series, const StripWindow& window, std::vector<TraceLine>& out) const {
  TraceStrip(index_, Source{this, series}, levels_[static_cast<int>(series)], window, out);
}

Envelope ReadingsPlot::Extent(PlotSeries series) const {
  const Source source{this, series};
  return levels_[static_cast<int>(series)].Query(TimeOrdered<Source>{index_, source}, 0, index_.size());
}

AxisRange ReadingsPlot::ValueAxis() const {
  const ChannelKind kind = ShownChannelKind(readings_.channel);
  return WidenToData(DefaultValueRange(kind, readings_.unit), readings_.hasFiniteValue, readings_.minValue,
                     readings_.maxValue);
}

AxisRange ReadingsPlot::CodeAxis(PlotSeries series) const {
  const Envelope e = Extent(series);
  return CodeRange(!e.Empty(), e.lo, e.hi);
}

}  // namespace ruvenset
