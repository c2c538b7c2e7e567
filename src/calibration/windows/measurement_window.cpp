#include "calibration/windows/measurement_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QTextOption>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

QPlainTextEdit* Memo(QWidget* parent, const char* name, bool fixedPitch) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setFocusPolicy(Qt::NoFocus);
  if (fixedPitch) memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return memo;
}

}  // namespace

TForm60::TForm60(QWidget* parent, const ProgramState& state, TForm60Logic& logic)
    : QDialog(parent), logic_(logic) {
  PrepareDialog(this, "Form60", Q(logic.caption()));
  const AcquisitionSetup& setup = logic.setup();
  const std::vector<std::string> labels = logic.Labels();
  // The lines that carry a label, plus the two message lines: each is a row of both memos.
  // Prompt mode with a transmitter also shows its failure (line 5) and its reading's unit (line 8).
  const bool promptReference = !setup.statistics && setup.hart != nullptr;
  for (int i = 0; i < kAcquisitionLines; ++i) {
    if (i <= 1 || !labels[static_cast<size_t>(i)].empty() || (promptReference && (i == 5 || i == 8)))
      rows_.push_back(i);
  }

  Memo1 = Memo(this, "Memo1", false);
  Memo2 = Memo(this, "Memo2", true);
  QString text;
  int widest = 0;
  for (int row : rows_) {
    const QString label = Q(labels[static_cast<size_t>(row)]);
    text += label + "\n";
    widest = std::max(widest, Memo1->fontMetrics().horizontalAdvance(label));
  }
  text.chop(1);
  QTextOption rightAligned = Memo1->document()->defaultTextOption();
  rightAligned.setAlignment(Qt::AlignRight);
  Memo1->document()->setDefaultTextOption(rightAligned);
  Memo1->setPlainText(text);
  const int lineHeight = std::max(Memo1->fontMetrics().lineSpacing(), Memo2->fontMetrics().lineSpacing());
  const int height = lineHeight * static_cast<int>(rows_.size()) + 16;
  Memo1->setFixedSize(widest + 24, height);
  Memo2->setFixedSize(Memo2->fontMetrics().horizontalAdvance(QString(30, '0')) + 20, height);

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

  auto* memos = new QHBoxLayout;
  memos->setSpacing(6);
  memos->addWidget(Memo1);
  memos->addWidget(Memo2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn2);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(10);
  layout->addLayout(memos);
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
  QString text;
  for (int row : rows_) text += Q(tick.lines[static_cast<size_t>(row)]) + "\n";
  text.chop(1);
  Memo2->setPlainText(text);
  if (Chart != nullptr) Chart->SetSamples(tick.codes, tick.mean, tick.sigma, kSampleRingSize);
}

}  // namespace ruvenset
