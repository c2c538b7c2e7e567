#pragma once
#include <cstdint>
#include <vector>

#include <QString>
#include <QWidget>

#include "viewer/min_max_levels.h"
#include "viewer/strip_trace.h"
#include "viewer/time_index.h"

namespace ruvenset {

// The live strip chart of the measurement window: the codes of the sample window, oldest at the left,
// drawn by the viewer's min/max tracing (one bar per pixel column, so every spike shows), with the
// running mean as a line and the band of ±3 standard deviations around it, so the technician sees at a
// glance when the input has settled.
class SampleStrip : public QWidget {
  Q_OBJECT
 public:
  explicit SampleStrip(QWidget* parent = nullptr);

  // The codes (oldest first), their rounded mean and standard deviation in codes; `capacity` codes fill
  // the width.
  void SetSamples(const std::vector<int32_t>& codes, uint32_t mean, double sigma, int capacity);
  void SetLegend(const QString& code, const QString& mean);

  // The value range shown: the band and every code, with a margin.
  double lowest() const { return lo_; }
  double highest() const { return hi_; }
  int traceLines() const { return static_cast<int>(lines_.size()); }

  QSize sizeHint() const override { return {520, 150}; }
  QSize minimumSizeHint() const override { return {300, 110}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect Field() const;
  void Retrace();

  std::vector<float> values_;
  std::vector<double> dates_;
  TimeIndex index_;
  MinMaxLevels levels_;
  std::vector<TraceLine> lines_;
  double mean_ = 0;
  double sigma_ = 0;
  int capacity_ = 150;
  double lo_ = 0;
  double hi_ = 1;
  QString codeLegend_;
  QString meanLegend_;
};

}  // namespace ruvenset
