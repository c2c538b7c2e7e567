#include "calibration/windows/measurement_window.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

QLabel* ValueLabel(QWidget* parent, int line) {
  auto* value = new QLabel(parent);
  value->setObjectName(QString("Value%1").arg(line));
  value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QString(28, '0')));
  return value;
}

}  // namespace

TForm60::TForm60(QWidget* parent, const ProgramState& state, TForm60Logic& logic)
    : QDialog(parent), logic_(logic) {
  PrepareDialog(this, "Form60", Q(logic.caption()));
  const AcquisitionSetup& setup = logic.setup();
  const std::vector<std::string> labels = logic.Labels();
  // The lines that carry a label, plus the two message lines: each is a row of the grid.
  // Prompt mode with a transmitter also shows its failure (line 5) and its reading's unit (line 8).
  const bool promptReference = !setup.statistics && setup.hart != nullptr;
  for (int i = 0; i < kAcquisitionLines; ++i) {
    if (i <= 1 || !labels[static_cast<size_t>(i)].empty() || (promptReference && (i == 5 || i == 8)))
      rows_.push_back(i);
  }

  // One grid on a plain white panel: a value shares its label's row whatever the fonts' line heights.
  Memo1 = new QFrame(this);
  Memo1->setObjectName("Memo1");
  Memo1->setFrameShape(QFrame::StyledPanel);
  Memo1->setFrameShadow(QFrame::Sunken);
  Memo1->setAutoFillBackground(true);
  Memo1->setBackgroundRole(QPalette::Base);
  auto* grid = new QGridLayout(Memo1);
  grid->setContentsMargins(12, 8, 12, 8);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(1, 1);
  for (size_t r = 0; r < rows_.size(); ++r) {
    const int line = rows_[r];
    auto* label = new QLabel(Q(labels[static_cast<size_t>(line)]), Memo1);
    label->setObjectName(QString("Label%1").arg(line));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLabel* value = ValueLabel(Memo1, line);
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int height = std::max(label->sizeHint().height(), value->sizeHint().height());
    label->setFixedHeight(height);
    value->setFixedHeight(height);
    grid->addWidget(label, static_cast<int>(r), 0);
    grid->addWidget(value, static_cast<int>(r), 1);
    Labels.push_back(label);
    Values.push_back(value);
  }

  BitBtn1 = MakeButton(this, "BitBtn1", Q(logic.nextText()), QStyle::SP_ArrowRight);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(logic.resetText()), QStyle::SP_BrowserReload);
  BitBtn3 = MakeButton(this, "BitBtn3", Q(logic.cancelText()), QStyle::SP_DialogCancelButton);
  BitBtn2->setVisible(setup.statistics);
  BitBtn1->setDefault(true);
  BitBtn2->setAutoDefault(false);
  BitBtn3->setAutoDefault(false);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { Leave(kResultOk); });
  connect(BitBtn2, &QPushButton::clicked, this, &TForm60::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, [this] { Leave(kResultCancel); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn2);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(Memo1);
  if (setup.statistics) {
    Chart = new SampleStrip(this);
    Chart->SetLegend(Q(state.Text(3165)), Q(state.Text(3166)));
    layout->addWidget(Chart);
  }
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  for (QTimer* timer : {Timer1, Timer2}) {
    timer->setSingleShot(true);
    timer->setInterval(kAcquisitionInterval);
  }
  connect(Timer1, &QTimer::timeout, this, &TForm60::Timer1Timer);
  connect(Timer2, &QTimer::timeout, this, &TForm60::Timer2Timer);
  Render(logic.current());
}

QTimer* TForm60::OwnTimer() const {
  return logic_.setup().mode == AcquisitionMode::Ambient ? Timer1 : Timer2;
}

int TForm60::Run() {
  OwnTimer()->start();
  const int result = exec();
  Timer1->stop();
  Timer2->stop();
  return result;
}

void TForm60::Tick(QTimer* timer) {
  timer->stop();
  runner_.Run([this] { return logic_.Tick(); },
              [this, timer](const AcquisitionTick& tick) {
                Render(tick);
                if (isVisible()) timer->start();
              });
}

void TForm60::BitBtn2Click() {
  runner_.Run([this] { return logic_.BitBtn2Click(); },
              [this](const AcquisitionTick& tick) { Render(tick); });
}

void TForm60::Leave(int result) {
  // A tick waiting for the flow computer's answer ends at once; its result is not shown any more.
  if (runner_.running()) runner_.RequestStop();
  done(result);
}

void TForm60::reject() {
  Leave(kResultCancel);
}

void TForm60::Render(const AcquisitionTick& tick) {
  for (size_t r = 0; r < rows_.size(); ++r) Values[r]->setText(Q(tick.lines[static_cast<size_t>(rows_[r])]));
  if (Chart != nullptr) Chart->SetSamples(tick.codes, tick.mean, tick.sigma, kSampleRingSize);
}

}  // namespace ruvenset
