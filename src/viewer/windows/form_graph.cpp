#include "viewer/windows/form_graph.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/windows/save_dialog.h"
#include "viewer/csv_export.h"
#include "viewer/reading_text.h"
#include "viewer/time_scale.h"
#include "viewer/value_window.h"
#include "viewer/viewer_texts.h"
#include "viewer/windows/graph_strip.h"
#include "viewer/windows/readings_table_model.h"
#include "viewer/windows/viewer_message.h"

namespace ruvenset {
namespace {

// The time bar moves in quarter cells; a file spanning more than this many of them moves in coarser steps.
constexpr double kMaxTimeBarSteps = 1.0e9;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

std::string CannotWriteText(const QString& path) {
  return Text(viewer_text::kCannotWrite)
      .replace(QStringLiteral("%s"), QFileInfo(path).fileName())
      .toStdString();
}

QString FormatAxisValue(double value, double span) {
  if (std::fabs(value) >= 1.0e7) return QString::number(value, 'g', 4);
  const int decimals =
      std::clamp(static_cast<int>(std::ceil(-std::log10(std::max(span, 1e-30) / 8.0))) + 2, 0, 6);
  return QString::number(value, 'f', decimals);
}

QString FormatCode(double value, int digits) {
  if (!std::isfinite(value) || value < 0.0 || value > 4294967295.0) return QString::number(value, 'g', 6);
  const auto code = static_cast<qulonglong>(std::llround(value));
  return QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

}  // namespace

TFormGraph::TFormGraph(const QString& path, Readings readings, QWidget* parent)
    : QWidget(parent, Qt::Window),
      readings_(std::move(readings)),
      plot_(readings_),
      kind_(ShownChannelKind(readings_.channel)),
      shownUnit_(readings_.unit) {
  setObjectName(QStringLiteral("TFormGraph"));
  setWindowTitle(Text(ChannelTitle(kind_)));

  model_ = new ReadingsTableModel(readings_, this);
  stringGrid1_ = new QTableView;
  stringGrid1_->setObjectName(QStringLiteral("StringGrid1"));
  // The row height is set before the model arrives: set after, it resizes every one of a million rows.
  const QFontMetrics metrics = fontMetrics();
  stringGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  stringGrid1_->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
  stringGrid1_->setModel(model_);
  stringGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  stringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  stringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stringGrid1_->setWordWrap(false);
  stringGrid1_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  stringGrid1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  const char* samples[ReadingsTableModel::kColumnCount] = {"00.00.0000", "00:00:00:000", "0x00000000",
                                                           "-00000.000000", "0x0000"};
  int tableWidth = stringGrid1_->verticalHeader()->sizeHint().width() + 4 +
                   stringGrid1_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < ReadingsTableModel::kColumnCount; ++c) {
    const int w = metrics.horizontalAdvance(Text(samples[c])) + 16;
    stringGrid1_->setColumnWidth(c, w);
    tableWidth += w;
  }
  stringGrid1_->setMinimumWidth(tableWidth);

  graphs_ = new QWidget;
  auto* graphsLayout = new QVBoxLayout(graphs_);
  graphsLayout->setContentsMargins(4, 4, 4, 4);
  graphsLayout->addWidget(
      BuildStrip(PlotSeries::Value, viewer_text::kStripValue, QColor(0, 0, 160), Qt::SizeHorCursor));
  graphsLayout->addWidget(
      BuildStrip(PlotSeries::ChannelAdc, viewer_text::kStripAdc, QColor(150, 0, 0), Qt::SplitHCursor));
  graphsLayout->addWidget(
      BuildStrip(PlotSeries::AmbientAdc, viewer_text::kStripAmbient, QColor(0, 110, 0), Qt::CrossCursor));

  auto* right = new QWidget;
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(graphs_, 1);
  trackGr_ = new QScrollBar(Qt::Horizontal);
  trackGr_->setObjectName(QStringLiteral("TrackGr"));
  rightLayout->addWidget(trackGr_);

  auto* body = new QHBoxLayout;
  body->addWidget(stringGrid1_);
  body->addWidget(right, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildHeader(path));
  layout->addLayout(body, 1);
  layout->addWidget(BuildFooter());

  connect(stringGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { RowChosen(current.row()); });

  strips_[0].base = plot_.ValueAxis();
  strips_[1].base = plot_.CodeAxis(PlotSeries::ChannelAdc);
  strips_[2].base = plot_.CodeAxis(PlotSeries::AmbientAdc);
  for (int s = 0; s < kPlotSeriesCount; ++s) UpdateValueWindow(static_cast<PlotSeries>(s));
  connect(trackGr_, &QScrollBar::valueChanged, this, [this] { UpdateTimeWindow(); });
  SetTimeStep(step_);
  resize(1280, 860);
}

TFormGraph::~TFormGraph() = default;

QWidget* TFormGraph::BuildHeader(const QString& path) {
  auto* header = new QWidget;
  auto* layout = new QHBoxLayout(header);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* file =
      new QLabel(Text(viewer_text::kFileHeader).replace(QStringLiteral("%s"), QFileInfo(path).fileName()));
  file->setToolTip(path);
  layout->addWidget(file);
  layout->addSpacing(24);
  layout->addWidget(new QLabel(Text(viewer_text::kUnitHeader)));
  unitLabel_ = new QLabel(Text(UnitText(kind_, shownUnit_)));
  QFont bold = unitLabel_->font();
  bold.setBold(true);
  unitLabel_->setFont(bold);
  layout->addWidget(unitLabel_);
  speedButton4_ = new QToolButton;
  speedButton4_->setObjectName(QStringLiteral("SpeedButton4"));
  speedButton4_->setText(QStringLiteral("↔ ") + Text(UnitText(kind_, 1 - shownUnit_)));
  speedButton4_->setVisible(HasSecondUnit(kind_));
  connect(speedButton4_, &QToolButton::clicked, this, &TFormGraph::SpeedButton4Click);
  layout->addWidget(speedButton4_);
  layout->addStretch(1);
  return header;
}

QWidget* TFormGraph::BuildStrip(PlotSeries series, const char* title, QColor colour, Qt::CursorShape shape) {
  StripControls& controls = strips_[static_cast<int>(series)];
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(0);
  auto* name = new QLabel(Text(title));
  controls.readout = new QLabel;
  controls.readout->setObjectName(QStringLiteral("Readout%1").arg(static_cast<int>(series) + 1));
  controls.readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPalette readoutPalette = controls.readout->palette();
  readoutPalette.setColor(QPalette::WindowText, colour);
  controls.readout->setPalette(readoutPalette);
  auto* top = new QHBoxLayout;
  top->addWidget(name);
  top->addStretch(1);
  top->addWidget(controls.readout);
  grid->addLayout(top, 0, 0, 1, 3);

  controls.strip = new GraphStrip(colour, shape);
  controls.strip->setObjectName(QStringLiteral("Image%1").arg(static_cast<int>(series) + 1));
  controls.strip->SetTracer([this, series](const StripWindow& window, std::vector<TraceLine>& out) {
    plot_.Trace(series, window, out);
  });
  grid->addWidget(controls.strip, 1, 0);
  controls.scale = new QScrollBar(Qt::Vertical);
  controls.scale->setRange(kScaleMin, kScaleMax);
  controls.scale->setValue(0);
  controls.scale->setPageStep(4);
  controls.scale->setInvertedAppearance(true);
  controls.scale->setInvertedControls(false);
  controls.scale->setToolTip(Text(viewer_text::kScaleHint));
  controls.offset = new QScrollBar(Qt::Vertical);
  controls.offset->setRange(-kOffsetLimit, kOffsetLimit);
  controls.offset->setValue(0);
  controls.offset->setSingleStep(20);
  controls.offset->setPageStep(1000);
  controls.offset->setInvertedAppearance(true);
  controls.offset->setInvertedControls(false);
  controls.offset->setToolTip(Text(viewer_text::kOffsetHint));
  grid->addWidget(controls.scale, 1, 1);
  grid->addWidget(controls.offset, 1, 2);
  grid->setRowStretch(1, 1);
  connect(controls.scale, &QScrollBar::valueChanged, this, [this, series] { UpdateValueWindow(series); });
  connect(controls.offset, &QScrollBar::valueChanged, this, [this, series] { UpdateValueWindow(series); });
  connect(controls.strip, &GraphStrip::cursorDragged, this, &TFormGraph::CursorDragged);
  return box;
}

QWidget* TFormGraph::BuildFooter() {
  auto* footer = new QWidget;
  auto* layout = new QHBoxLayout(footer);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(Text(viewer_text::kTimeScale)));
  stepBox_ = new QComboBox;
  for (int s = 0; s < kTimeStepCount; ++s) stepBox_->addItem(Text(TimeStepLabel(s)));
  connect(stepBox_, &QComboBox::currentIndexChanged, this, [this](int step) { SetTimeStep(step); });
  layout->addWidget(stepBox_);
  layout->addStretch(1);
  auto* csv = new QPushButton(Text(viewer_text::kExportCsv));
  connect(csv, &QPushButton::clicked, this, &TFormGraph::ExportCsvClick);
  layout->addWidget(csv);
  auto* png = new QPushButton(Text(viewer_text::kSavePng));
  connect(png, &QPushButton::clicked, this, &TFormGraph::SavePngClick);
  layout->addWidget(png);
  auto* exit = new QPushButton(Text(viewer_text::kExit));
  exit->setObjectName(QStringLiteral("BitBtn4"));
  connect(exit, &QPushButton::clicked, this, &TFormGraph::BitBtn4Click);
  layout->addWidget(exit);
  return footer;
}

float TFormGraph::ValueFactor() const {
  return ShownUnitFactor(kind_, readings_.unit, shownUnit_);
}

double TFormGraph::TimeUnitSeconds() const {
  const double quarterCell = TimeStepSeconds(step_) / 4.0;
  const double rest = plot_.Index().Span() - kGridCells * TimeStepSeconds(step_);
  return std::max(quarterCell, rest / kMaxTimeBarSteps);
}

void TFormGraph::SetTimeStep(int step) {
  const double start = trackGr_->value() * TimeUnitSeconds();
  step_ = std::clamp(step, 0, kTimeStepCount - 1);
  if (stepBox_->currentIndex() != step_) {
    const QSignalBlocker block(stepBox_);
    stepBox_->setCurrentIndex(step_);
  }
  UpdateTimeBar(start);
}

void TFormGraph::UpdateTimeBar(double keepStartSeconds) {
  const double unit = TimeUnitSeconds();
  const double rest = plot_.Index().Span() - kGridCells * TimeStepSeconds(step_);
  const int maximum = rest > 0.0 ? static_cast<int>(std::ceil(rest / unit)) + 1 : 0;
  const QSignalBlocker block(trackGr_);
  trackGr_->setRange(0, maximum);
  trackGr_->setSingleStep(1);
  trackGr_->setPageStep(4 * kGridCells);
  trackGr_->setValue(std::clamp(static_cast<int>(std::lround(keepStartSeconds / unit)), 0, maximum));
  UpdateTimeWindow();
}

void TFormGraph::UpdateTimeWindow() {
  const double start = trackGr_->value() * TimeUnitSeconds();
  for (int s = 0; s < kPlotSeriesCount; ++s) strips_[s].strip->SetTimeWindow(start, step_);
  const TimeIndex& index = plot_.Index();
  if (index.size() == 0) {
    for (int s = 0; s < kPlotSeriesCount; ++s) UpdateReadout(static_cast<PlotSeries>(s));
    return;
  }
  // The cursor stays on its reading while that is in view; otherwise it takes the reading nearest to
  // where the technician last put it in the window.
  const double visible = kGridCells * TimeStepSeconds(step_);
  const double at = index.Seconds(cursor_);
  if (!cursorPlaced_ || at < start || at > start + visible) {
    PlaceCursor(index.Nearest(start + cursorAim_ * visible));
  } else {
    PlaceCursor(cursor_);
  }
}

size_t TFormGraph::CursorReading() const {
  return plot_.Index().size() == 0 ? 0 : plot_.Index().Reading(cursor_);
}

void TFormGraph::PlaceCursor(size_t position) {
  const TimeIndex& index = plot_.Index();
  if (position >= index.size()) return;
  cursor_ = position;
  cursorPlaced_ = true;
  for (int s = 0; s < kPlotSeriesCount; ++s) {
    strips_[s].strip->SetCursorSeconds(index.Seconds(position));
    UpdateReadout(static_cast<PlotSeries>(s));
  }
  const QModelIndex row = model_->index(static_cast<int>(index.Reading(position)), 0);
  placingCursor_ = true;
  stringGrid1_->setCurrentIndex(row);
  stringGrid1_->scrollTo(row);
  placingCursor_ = false;
}

void TFormGraph::CursorDragged(double seconds) {
  const double start = trackGr_->value() * TimeUnitSeconds();
  cursorAim_ = std::clamp((seconds - start) / (kGridCells * TimeStepSeconds(step_)), 0.0, 1.0);
  PlaceCursor(plot_.Index().Nearest(seconds));
}

void TFormGraph::RowChosen(int row) {
  if (placingCursor_ || row < 0 || static_cast<size_t>(row) >= readings_.size()) return;
  const TimeIndex& index = plot_.Index();
  const size_t position = index.Position(static_cast<size_t>(row));
  if (position >= index.size()) return;  // a reading without a valid date has no place on the time axis
  cursor_ = position;
  cursorPlaced_ = true;
  const double seconds = index.Seconds(position);
  const double unit = TimeUnitSeconds();
  const double visible = kGridCells * TimeStepSeconds(step_);
  const double start = trackGr_->value() * unit;
  // Out of view: the time bar brings the reading to where the cursor last stood in the window.
  if (seconds < start || seconds > start + visible)
    trackGr_->setValue(static_cast<int>(std::floor((seconds - cursorAim_ * visible) / unit)));
  PlaceCursor(position);
}

void TFormGraph::UpdateValueWindow(PlotSeries series) {
  StripControls& controls = strips_[static_cast<int>(series)];
  const float factor = series == PlotSeries::Value ? ValueFactor() : 1.0f;
  const AxisRange base{controls.base.lo * factor, controls.base.hi * factor};
  const AxisRange window = ScaledWindow(base, controls.scale->value(), controls.offset->value());
  const double span = window.hi - window.lo;
  if (series == PlotSeries::Value) {
    controls.strip->SetLabelFormat([span](double v) { return FormatAxisValue(v, span); });
  } else {
    const int digits = series == PlotSeries::ChannelAdc ? 6 : 4;
    controls.strip->SetLabelFormat([digits](double v) { return FormatCode(v, digits); });
  }
  controls.strip->SetValueWindow(window, factor);
}

void TFormGraph::UpdateReadout(PlotSeries series) {
  StripControls& controls = strips_[static_cast<int>(series)];
  const TimeIndex& index = plot_.Index();
  if (index.size() == 0) {
    controls.readout->clear();
    return;
  }
  const size_t reading = index.Reading(cursor_);
  std::string value;
  switch (series) {
    case PlotSeries::Value:
      value =
          FormatReadingValue(readings_.value[reading] * ValueFactor()) + " " + UnitText(kind_, shownUnit_);
      break;
    case PlotSeries::ChannelAdc:
      value = FormatChannelAdc(readings_.channelAdc[reading]);
      break;
    case PlotSeries::AmbientAdc:
      value = FormatAmbientAdc(readings_.ambientAdc[reading]);
      break;
  }
  controls.readout->setText(
      QString::fromStdString(FormatCursorTime(readings_.time[reading]) + "    " + value));
}

void TFormGraph::SpeedButton4Click() {
  if (!HasSecondUnit(kind_)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  shownUnit_ = 1 - shownUnit_;
  unitLabel_->setText(Text(UnitText(kind_, shownUnit_)));
  speedButton4_->setText(QStringLiteral("↔ ") + Text(UnitText(kind_, 1 - shownUnit_)));
  model_->SetValueFactor(ValueFactor());
  UpdateValueWindow(PlotSeries::Value);
  UpdateReadout(PlotSeries::Value);
  QApplication::restoreOverrideCursor();
}

void TFormGraph::BitBtn4Click() {
  close();
}

bool TFormGraph::ExportCsv(const QString& path) const {
  return WriteReadingsCsv(path.toStdString(), readings_, ValueFactor());
}

bool TFormGraph::SaveGraphsPng(const QString& path) {
  return graphs_->grab().save(path, "PNG");
}

void TFormGraph::ExportCsvClick() {
  const QString path =
      AskSaveFileName(this, Text(viewer_text::kExportCsv), QString(), Text(viewer_text::kCsvFilter));
  if (path.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool written = ExportCsv(path);
  QApplication::restoreOverrideCursor();
  if (!written) ShowViewerMessage(this, CannotWriteText(path));
}

void TFormGraph::SavePngClick() {
  const QString path =
      AskSaveFileName(this, Text(viewer_text::kSavePng), QString(), Text(viewer_text::kPngFilter));
  if (path.isEmpty()) return;
  if (!SaveGraphsPng(path)) ShowViewerMessage(this, CannotWriteText(path));
}

}  // namespace ruvenset
