#pragma once
#include <functional>
#include <vector>

#include <QColor>
#include <QWidget>

#include "viewer/channel_presentation.h"
#include "viewer/strip_trace.h"

namespace ruvenset {

// One graph strip (`Image1`..`Image3`): light grey field with a grey grid 24 cells wide, value labels on
// the left, time labels below every second cell, the trace of one series and a cursor line. The strip
// only paints; the series, its trace and where the cursor stands come from the graph window, which the
// strip tells where the mouse drags the cursor.
class GraphStrip : public QWidget {
  Q_OBJECT
 public:
  using Tracer = std::function<void(const StripWindow&, std::vector<TraceLine>&)>;
  using LabelFormat = std::function<QString(double)>;

  GraphStrip(QColor trace, Qt::CursorShape cursorShape, QWidget* parent = nullptr);

  void SetTracer(Tracer tracer) { tracer_ = std::move(tracer); }
  void SetLabelFormat(LabelFormat format) { format_ = std::move(format); }
  // The value window in shown units and the factor from trace values to shown units.
  void SetValueWindow(AxisRange window, float factor);
  // The time window: from `startSeconds` after the earliest reading, 24 cells of time step `step`.
  void SetTimeWindow(double startSeconds, int step);

  // Seconds after the earliest reading where the cursor line stands; it is drawn only while that time
  // lies within the time window.
  void SetCursorSeconds(double seconds);
  double CursorSeconds() const { return cursorSeconds_; }
  // Seconds after the earliest reading at a fraction of the field (0 left edge, 1 right edge).
  double SecondsAt(double fraction) const;
  // Where the cursor line stands in the field, or a negative value when it lies outside the window.
  double CursorFraction() const;

  QSize sizeHint() const override { return {640, 150}; }
  QSize minimumSizeHint() const override { return {240, 80}; }

 signals:
  // The mouse put the cursor at `seconds` after the earliest reading.
  void cursorDragged(double seconds);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QRect Field() const;
  void MoveCursorTo(int x);

  QColor traceColour_;
  Tracer tracer_;
  LabelFormat format_;
  AxisRange window_{0.0, 1.0};
  float factor_ = 1.0f;
  double startSeconds_ = 0.0;
  int step_ = 0;
  double cursorSeconds_ = 0.0;
  std::vector<TraceLine> lines_;
};

}  // namespace ruvenset
