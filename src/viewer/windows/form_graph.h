#pragma once
#include <memory>
#include <vector>

#include <QWidget>

#include "viewer/readings.h"
#include "viewer/readings_plot.h"

class QComboBox;
class QLabel;
class QScrollBar;
class QTableView;
class QToolButton;

namespace ruvenset {

class GraphStrip;
class ReadingsTableModel;

// The graph window of one file and channel: header with file name and unit (`SpeedButton4` switches the
// unit), the readings table `StringGrid1`, the strips `Image1` (value), `Image2` (channel ADC code) and
// `Image3` (ambient ADC code) with their scale and offset bars and cursor readouts, the time bar
// `TrackGr`, the time step list, export of the table as CSV and of the graphs as PNG, and `BitBtn4`.
class TFormGraph : public QWidget {
  Q_OBJECT
 public:
  TFormGraph(const QString& path, Readings readings, QWidget* parent = nullptr);
  ~TFormGraph() override;

  void SpeedButton4Click();
  void BitBtn4Click();
  void SetTimeStep(int step);
  bool ExportCsv(const QString& path) const;
  bool SaveGraphsPng(const QString& path);

  int ShownUnit() const { return shownUnit_; }
  // The reading (in file order) the cursor lines, their readouts and the selected table row show.
  size_t CursorReading() const;
  QScrollBar* TrackGr() const { return trackGr_; }
  QWidget* Graphs() const { return graphs_; }

 private:
  struct StripControls {
    GraphStrip* strip = nullptr;
    QScrollBar* scale = nullptr;
    QScrollBar* offset = nullptr;
    QLabel* readout = nullptr;
    AxisRange base{0.0, 1.0};
  };

  QWidget* BuildHeader(const QString& path);
  QWidget* BuildStrip(PlotSeries series, const char* title, QColor colour, Qt::CursorShape shape);
  QWidget* BuildFooter();
  void UpdateTimeBar(double keepStartSeconds);
  void UpdateTimeWindow();
  void UpdateValueWindow(PlotSeries series);
  void UpdateReadout(PlotSeries series);
  // Puts the cursor on the reading at time position `position`: every strip's line, every readout and
  // the table's row.
  void PlaceCursor(size_t position);
  void CursorDragged(double seconds);
  void RowChosen(int row);
  float ValueFactor() const;
  double TimeUnitSeconds() const;
  void ExportCsvClick();
  void SavePngClick();

  const Readings readings_;
  const ReadingsPlot plot_;
  const ChannelKind kind_;
  int shownUnit_;
  int step_ = 4;

  ReadingsTableModel* model_ = nullptr;
  QTableView* stringGrid1_ = nullptr;
  QLabel* unitLabel_ = nullptr;
  QToolButton* speedButton4_ = nullptr;
  QScrollBar* trackGr_ = nullptr;
  QComboBox* stepBox_ = nullptr;
  QWidget* graphs_ = nullptr;
  StripControls strips_[kPlotSeriesCount];

  // The cursor: the time position of its reading, and where in the time window the technician last put
  // it (a fraction of the window), which a new time window keeps when the reading leaves it.
  size_t cursor_ = 0;
  bool cursorPlaced_ = false;
  double cursorAim_ = 0.25;
  bool placingCursor_ = false;
};

}  // namespace ruvenset
