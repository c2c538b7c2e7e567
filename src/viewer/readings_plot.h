#pragma once
#include <vector>

#include "viewer/channel_presentation.h"
#include "viewer/min_max_levels.h"
#include "viewer/readings.h"
#include "viewer/strip_trace.h"
#include "viewer/time_index.h"

namespace ruvenset {

// The three series of the graph strips: measured value, channel ADC code, ambient ADC code.
enum class PlotSeries { Value = 0, ChannelAdc = 1, AmbientAdc = 2 };
inline constexpr int kPlotSeriesCount = 3;

// The readings arranged for drawing: time order and min/max levels of each series, built once after
// loading. Values stay in the unit they were loaded in; the strips scale them to the shown unit.
class ReadingsPlot {
 public:
  explicit ReadingsPlot(const Readings& readings);

  const TimeIndex& Index() const { return index_; }
  // A series' sample of reading r (file order) as drawn.
  float Sample(PlotSeries series, size_t reading) const;
  // The trace of a series in a time window.
  void Trace(PlotSeries series, const StripWindow& window, std::vector<TraceLine>& out) const;
  // Lowest and highest drawable sample of a series.
  Envelope Extent(PlotSeries series) const;
  // The value axis: the channel's default range widened to the data, in the loaded unit.
  AxisRange ValueAxis() const;
  // The axis of an ADC code series.
  AxisRange CodeAxis(PlotSeries series) const;

 private:
  struct Source {
    const ReadingsPlot* plot;
    PlotSeries series;
    float operator()(size_t reading) const { return plot->Sample(series, reading); }
  };

  const Readings& readings_;
  TimeIndex index_;
  MinMaxLevels levels_[kPlotSeriesCount];
};

}  // namespace ruvenset
