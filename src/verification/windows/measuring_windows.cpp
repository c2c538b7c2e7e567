#include "verification/windows/measuring_windows.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

// The display lines in the order they are laid out: the field, its group and its row caption.
enum Group { kReadings, kCodes, kStatistics };

struct DisplayRow {
  const char* field;
  std::string MeasuringDisplay::*text;
  Group group;
  const char* russian;
  const char* ukrainian;
};

using D = MeasuringDisplay;
const DisplayRow kLines[] = {
    {"count", &D::count, kReadings, "Отсчёт №", "Відлік №"},
    {"time", &D::time, kReadings, "Время", "Час"},
    {"value", &D::value, kReadings, "Измеренное значение", "Виміряне значення"},
    {"converted", &D::converted, kReadings, "В выбранных единицах", "У вибраних одиницях"},
    {"channelAdc", &D::channelAdc, kCodes, "Канал", "Канал"},
    {"ambientAdc", &D::ambientAdc, kCodes, "Датчик Тос", "Датчик Тд"},
    {"ambientTemperature", &D::ambientTemperature, kCodes, "Тос, °C", "Тд, °C"},
    {"mean", &D::mean, kStatistics, "Среднее значение", "Середнє значення"},
    {"largestDeviation", &D::largestDeviation, kStatistics, "Наибольшее отклонение", "Найбільше відхилення"},
    {"actual", &D::actual, kStatistics, "Действительное значение", "Дійсне значення"},
    {"actualSince", &D::actualSince, kStatistics, "задано", "задано"},
    {"reference", &D::reference, kStatistics, "Образцовый датчик", "Зразковий датчик"},
    {"referenceMean", &D::referenceMean, kStatistics, "Среднее образцового", "Середнє зразкового"},
    {"referenceError", &D::referenceError, kStatistics, "Опрос образцового", "Опитування зразкового"},
    {"resetTime", &D::resetTime, kStatistics, "Статистика сброшена", "Статистику скинуто"},
};

// Whether a line belongs to the window of this setup (lines of another reference mode, or the
// converted value without a unit choice, are left out).
bool Shown(const std::string& field, const MeasuringSetup& setup) {
  if (field == "converted") return setup.showConverted;
  if (field == "actual" || field == "actualSince") return setup.referenceMode == kReferenceTyped;
  if (field == "reference" || field == "referenceMean" || field == "referenceError")
    return setup.referenceMode == kReferenceTransmitter;
  return true;
}

// A read-only line: fixed-pitch digits in a sunken frame, so the columns of numbers stay still.
QLabel* ValueLine(QWidget* parent, const std::string& field, int chars) {
  auto* line = new QLabel(parent);
  line->setObjectName(QString::fromStdString(field));
  line->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  line->setFrameShape(QFrame::StyledPanel);
  line->setFrameShadow(QFrame::Sunken);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  line->setMinimumWidth(line->fontMetrics().horizontalAdvance(QString(chars, '0')) + 12);
  line->setMinimumHeight(line->fontMetrics().height() + 8);
  line->setAutoFillBackground(true);
  line->setBackgroundRole(QPalette::Base);
  return line;
}

}  // namespace

MeasuringForm::MeasuringForm(QWidget* parent, const char* objectName, const ProgramState& state,
                             MeasuringWindow& window)
    : QDialog(parent), window_(window), interval_(window.firstInterval()) {
  PrepareDialog(this, objectName, Q(window.display().caption));
  const MeasuringSetup& setup = window.setup();

  const char* titles[][2] = {
      {"Показания", "Показання"}, {"Коды АЦП", "Коди АЦП"}, {"Статистика", "Статистика"}};
  QGroupBox* groups[3];
  QGridLayout* grids[3];
  int rows[3] = {};
  for (int g = 0; g < 3; ++g) {
    groups[g] = new QGroupBox(Q(state.Bilingual(titles[g][0], titles[g][1])), this);
    groups[g]->setObjectName(QString("GroupBox%1").arg(g + 1));
    grids[g] = new QGridLayout(groups[g]);
    grids[g]->setContentsMargins(12, 10, 12, 10);
    grids[g]->setHorizontalSpacing(14);
    grids[g]->setVerticalSpacing(6);
    grids[g]->setColumnStretch(1, 1);
  }
  for (const DisplayRow& row : kLines) {
    if (!Shown(row.field, setup)) continue;
    const int g = row.group;
    auto* caption = new QLabel(Q(state.Bilingual(row.russian, row.ukrainian)), groups[g]);
    QLabel* line = ValueLine(groups[g], row.field, g == kStatistics ? 20 : 22);
    caption->setBuddy(line);
    grids[g]->addWidget(caption, rows[g], 0);
    grids[g]->addWidget(line, rows[g], 1);
    ++rows[g];
    lines_[row.field] = line;
    shown_.emplace_back(row.text, line);
  }
  for (const char* emphasised : {"value", "mean"}) {
    QFont font = lines_[emphasised]->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    lines_[emphasised]->setFont(font);
  }
  for (int g = 0; g < 3; ++g) grids[g]->setRowStretch(rows[g], 1);

  MessageLine = new QLabel(this);
  MessageLine->setObjectName("MessageLine");
  MessageLine->setStyleSheet("QLabel { color: #b00020; font-weight: bold; }");
  MessageLine->setMinimumHeight(MessageLine->fontMetrics().height() + 4);
  FileLine = new QLabel(this);
  FileLine->setObjectName("FileLine");
  FileLine->setStyleSheet("QLabel { color: #b00020; }");
  FileLine->setWordWrap(true);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(state.Bilingual("Завершить поверку", "Завершити повірку")),
                       QStyle::SP_DialogCloseButton);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(state.Bilingual("Сбросить статистику", "Скинути статистику")),
                       QStyle::SP_BrowserReload);
  BitBtn3 =
      MakeButton(this, "BitBtn3", Q(state.Bilingual("Новое действительное значение", "Нове дійсне значення")),
                 QStyle::SP_FileDialogContentsView);
  BitBtn3->setEnabled(setup.referenceMode == kReferenceTyped);
  StopButton = MakeStopButton(this);
  StopButton->setEnabled(false);
  connect(StopButton, &QPushButton::clicked, this, [this] { runner_.RequestStop(); });
  BitBtn1->setAutoDefault(false);
  BitBtn2->setAutoDefault(false);
  BitBtn3->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, &MeasuringForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &MeasuringForm::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &MeasuringForm::BitBtn3Click);

  auto* columns = new QGridLayout;
  columns->setHorizontalSpacing(16);
  columns->setVerticalSpacing(12);
  columns->addWidget(groups[kReadings], 0, 0);
  columns->addWidget(groups[kCodes], 1, 0);
  columns->addWidget(groups[kStatistics], 0, 1, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn2);
  buttons->addWidget(BitBtn3);
  buttons->addStretch();
  buttons->addWidget(StopButton);
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);
  layout->setSpacing(10);
  layout->addWidget(MessageLine);
  layout->addLayout(columns);
  layout->addWidget(FileLine);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &MeasuringForm::Timer1Timer);
  Render();
}

QLabel* MeasuringForm::Line(const std::string& field) const {
  const auto line = lines_.find(field);
  return line != lines_.end() ? line->second : nullptr;
}

void MeasuringForm::Run() {
  Timer1->start(window_.firstInterval());
  exec();
  Timer1->stop();
}

void MeasuringForm::Render() {
  const MeasuringDisplay& display = window_.display();
  MessageLine->setText(Q(display.message));
  FileLine->setText(Q(display.fileError));
  FileLine->setVisible(!display.fileError.empty());
  for (const auto& [text, line] : shown_) line->setText(Q(display.*text));
}

void MeasuringForm::Timer1Timer() {
  Timer1->stop();
  StopButton->setEnabled(true);
  runner_.Run([this] { return window_.Timer1Timer(); },
              [this](int interval) {
                interval_ = interval;
                StopButton->setEnabled(false);
                Render();
                if (window_.closed()) {
                  done(kResultOk);
                  return;
                }
                Rearm();
              });
}

void MeasuringForm::Rearm() {
  if (isVisible() && !runner_.running() && !window_.closed() && !Timer1->isActive()) Timer1->start(interval_);
}

void MeasuringForm::BitBtn1Click() {
  Timer1->stop();
  // The last point ends between two readings, on the worker.
  runner_.Run([this] { window_.BitBtn1Click(); }, [this] { done(kResultOk); });
}

void MeasuringForm::BitBtn2Click() {
  // The statistics belong to the readings: they are reset between two of them, on the worker.
  runner_.Run([this] { window_.BitBtn2Click(); },
              [this] {
                Render();
                Rearm();
              });
}

void MeasuringForm::BitBtn3Click() {
  Timer1->stop();
  runner_.Run([this] { window_.BitBtn3Click(); },
              [this] {
                Render();
                Rearm();
              });
}

void MeasuringForm::keyPressEvent(QKeyEvent* event) {
  // Escape does not end a verification by accident (the finish button and the close box do): it
  // ends the wait of a reading.
  if (event->key() == Qt::Key_Escape) {
    if (runner_.running()) runner_.RequestStop();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace ruvenset
