#pragma once
#include <functional>
#include <vector>

#include <QColor>
#include <QWidget>

#include "viewer/channel_presentation.h"
#include "viewer/strip_trace.h"

namespace ruvenset {

// One graph strip (`Image1`..`Image3`): light grey field with a grey grid 24 cells wide, value labels on
// the left, time labels below every second cell, the trace of one series and a cursor line that the
// mouse drags. The strip only paints; the series and its trace come from the graph window.
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

  // Where the cursor stands: 0 at the left edge of the field, 1 at the right.
  double CursorFraction() const { return cursor_; }
  // Seconds after the earliest reading under the cursor.
  double CursorSeconds() const;

  QSize sizeHint() const override { return {640, 150}; }
  QSize minimumSizeHint() const override { return {240, 80}; }

 signals:
  void cursorMoved();

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
  double cursor_ = 0.25;
  std::vector<TraceLine> lines_;
};

}  // namespace ruvenset
