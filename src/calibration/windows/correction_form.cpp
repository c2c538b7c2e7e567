#include "calibration/windows/correction_form.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "device/value_entry.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

QLabel* ValueLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(14, '0')) + 12);
  label->setAutoFillBackground(true);
  label->setBackgroundRole(QPalette::Base);
  return label;
}

QLineEdit* NumberField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(12);
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(14, '0')) + 12);
  FilterNumber(field, NumberFilter::DigitsPointMinus);
  return field;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, int lines) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memo->setFixedHeight(memo->fontMetrics().lineSpacing() * lines + 14);
  memo->setMinimumWidth(memo->fontMetrics().horizontalAdvance(QString(34, '0')));
  return memo;
}

void SetIfChanged(QLineEdit* field, const std::string& text) {
  if (!field->hasFocus() && field->text() != Q(text)) field->setText(Q(text));
}

}  // namespace

TKorrekt::TKorrekt(QWidget* parent, const ProgramState& state, CorrectionWindow& window)
    : QDialog(parent), state_(state), window_(window) {
  PrepareDialog(this, "Korrekt", Q(state.Bilingual("Корректировка", "Коригування")));
  auto B = [&](const char* ru, const char* ua) { return Q(state.Bilingual(ru, ua)); };

  auto* coefficients = new QGroupBox(B("Коэффициенты", "Коефіцієнти"), this);
  coefficients->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(coefficients);
  LabelA0 = ValueLabel(coefficients, "LabelA0");
  LabelB0 = ValueLabel(coefficients, "LabelB0");
  Edit6 = NumberField(coefficients, "Edit6");
  Edit7 = NumberField(coefficients, "Edit7");
  grid->addWidget(new QLabel("A0", coefficients), 0, 0);
  grid->addWidget(LabelA0, 0, 1);
  grid->addWidget(new QLabel("B0", coefficients), 1, 0);
  grid->addWidget(LabelB0, 1, 1);
  grid->addWidget(new QLabel("A", coefficients), 0, 2);
  grid->addWidget(Edit6, 0, 3);
  grid->addWidget(new QLabel("B", coefficients), 1, 2);
  grid->addWidget(Edit7, 1, 3);

  auto* measured = new QGroupBox(B("Измеренное значение", "Виміряне значення"), this);
  measured->setObjectName("GroupBox2");
  auto* measuredGrid = new QGridLayout(measured);
  LabelX1 = ValueLabel(measured, "LabelX1");
  LabelX2 = ValueLabel(measured, "LabelX2");
  Edit1 = new QLineEdit(measured);
  Edit1->setObjectName("Edit1");
  Edit1->setReadOnly(true);
  Button2 = MakeButton(measured, "Button2", B("Расчет", "Розрахунок"), QStyle::SP_ArrowRight);
  measuredGrid->addWidget(new QLabel(B("АЦП 1", "АЦП 1"), measured), 0, 0);
  measuredGrid->addWidget(LabelX1, 0, 1);
  measuredGrid->addWidget(new QLabel(B("АЦП 2", "АЦП 2"), measured), 1, 0);
  measuredGrid->addWidget(LabelX2, 1, 1);
  measuredGrid->addWidget(new QLabel(B("Среднее", "Середнє"), measured), 2, 0);
  measuredGrid->addWidget(Edit1, 2, 1);
  measuredGrid->addWidget(Button2, 3, 0, 1, 2);

  GroupBox4 = new QGroupBox(this);
  GroupBox4->setObjectName("GroupBox4");
  auto* reference = new QVBoxLayout(GroupBox4);
  Edit4 = NumberField(GroupBox4, "Edit4");
  LabelRange = new QLabel(GroupBox4);
  LabelRange->setObjectName("LabelRange");
  reference->addWidget(Edit4);
  reference->addWidget(LabelRange);

  Memo1 = Memo(this, "Memo1", 4);
  Memo2 = Memo(this, "Memo2", 2);
  MessageLine = new QLabel(this);
  MessageLine->setObjectName("MessageLine");
  MessageLine->setStyleSheet("QLabel { color: #b00020; font-weight: bold; }");
  MessageLine->setMinimumHeight(MessageLine->fontMetrics().height() + 4);

  Button4 = MakeButton(this, "Button4", B("СТАРТ", "СТАРТ"), QStyle::SP_MediaPlay);
  Button1 = MakeButton(this, "Button1", B("СТОП", "СТОП"), QStyle::SP_MediaStop);
  Button5 =
      MakeButton(this, "Button5", B("Обнулить статистику", "Обнулити статистику"), QStyle::SP_BrowserReload);
  Button7 = MakeButton(this, "Button7", B("Отмена", "Скасування"), QStyle::SP_DialogResetButton);
  Button3 = MakeButton(this, "Button3", B("Запись", "Запис"), QStyle::SP_DialogSaveButton);
  Button6 = MakeButton(this, "Button6", B("Выход", "Вихід"), QStyle::SP_DialogCloseButton);
  for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5, Button6, Button7})
    b->setAutoDefault(false);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);

  auto* top = new QHBoxLayout;
  top->addWidget(coefficients);
  top->addWidget(measured);
  auto* middle = new QHBoxLayout;
  middle->addWidget(GroupBox4);
  auto* memos = new QVBoxLayout;
  memos->addWidget(Memo1);
  memos->addWidget(Memo2);
  middle->addLayout(memos);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {Button4, Button1, Button5, Button7}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(Button3);
  buttons->addWidget(Button6);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 0);
  layout->addLayout(top);
  layout->addLayout(middle);
  layout->addWidget(MessageLine);
  layout->addLayout(buttons);
  layout->addWidget(StatusBar1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, &TKorrekt::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TKorrekt::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TKorrekt::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TKorrekt::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TKorrekt::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TKorrekt::Button6Click);
  connect(Button7, &QPushButton::clicked, this, &TKorrekt::Button7Click);
  connect(Edit4, &QLineEdit::editingFinished, this, &TKorrekt::Edit4Exit);
  connect(Edit6, &QLineEdit::textEdited, this,
          [this](const QString& t) { Do([this, text = t.toStdString()] { window_.Edit6Change(text); }); });
  connect(Edit7, &QLineEdit::textEdited, this,
          [this](const QString& t) { Do([this, text = t.toStdString()] { window_.Edit7Change(text); }); });

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &TKorrekt::Timer1Timer);
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  Timer2->setSingleShot(true);
  connect(Timer2, &QTimer::timeout, this, &TKorrekt::Timer2Timer);
  Render();
}

CorrectionClose TKorrekt::Run() {
  exec();
  Timer1->stop();
  Timer2->stop();
  return close_;
}

void TKorrekt::Render() {
  const CorrectionDisplay& d = window_.display();
  const CorrectionButtons& b = window_.buttons();
  LabelA0->setText(Q(d.a0));
  LabelB0->setText(Q(d.b0));
  SetIfChanged(Edit6, d.a);
  SetIfChanged(Edit7, d.b);
  Edit6->setEnabled(b.entries);
  Edit7->setEnabled(b.entries);
  LabelX1->setText(Q(d.x1));
  LabelX2->setText(Q(d.x2));
  LabelX2->setEnabled(window_.setup().points == 2);
  Edit1->setText(Q(d.mean));
  GroupBox4->setTitle(Q(d.referenceCaption));
  // The box passed to another point: it shows that point's reference even while the technician is in it.
  if (window_.referencePoint() != shownReferencePoint_) {
    Edit4->setText(Q(d.reference));
    shownReferencePoint_ = window_.referencePoint();
  } else {
    SetIfChanged(Edit4, d.reference);
  }
  Edit4->setEnabled(b.reference);
  LabelRange->setText(Q(d.range));
  const auto B = [&](const char* ru, const char* ua) { return std::string(state_.Bilingual(ru, ua)); };
  Memo1->setPlainText(Q(B("Отсчёт № ", "Відлік № ") + d.count + "\n" + B("Время    ", "Час      ") + d.time +
                        "\n" + B("Код АЦП  ", "Код АЦП  ") + d.code + "\n" + B("Значение ", "Значення ") +
                        d.value));
  Memo2->setPlainText(
      Q(B("Среднее  ", "Середнє  ") + d.mean + "\n" + B("Откл.max ", "Відх.max ") + d.deviation));
  MessageLine->setText(Q(d.message));
  StatusBar1->showMessage(Q(d.status));
  Button4->setEnabled(b.start);
  Button1->setEnabled(b.stop);
  Button2->setEnabled(b.calculate);
  Button3->setEnabled(b.write);
  Button5->setEnabled(b.resetStatistics);
  if (window_.timer1Running() && !Timer1->isActive()) Timer1->start(window_.firstInterval());
  if (!window_.timer1Running()) Timer1->stop();
  if (window_.timer2Running() && !Timer2->isActive()) Timer2->start(CorrectionWindow::kTimer2Ms);
  if (!window_.timer2Running()) Timer2->stop();
}

// Every change of the window's logic runs on the worker after the running tick, so a tick and a button
// never work on the logic at once; the window renders when the change is done.
void TKorrekt::Do(std::function<void()> change, std::function<void()> after) {
  runner_.Run(std::move(change), [this, after = std::move(after)] {
    Render();
    if (after) after();
  });
}

void TKorrekt::Timer1Timer() {
  Timer1->stop();
  runner_.Run([this] { return window_.Timer1Timer(); },
              [this](int next) {
                Render();
                if (window_.timer1Running() && isVisible()) Timer1->start(next);
              });
}

void TKorrekt::Timer2Timer() {
  Timer2->stop();
  runner_.Run([this] { return window_.Timer2Timer(); },
              [this](bool beep) {
                if (beep) QApplication::beep();
                Render();
              });
}

void TKorrekt::Button1Click() {
  // "СТОП" ends a measurement that waits for the flow computer's answer at once.
  if (runner_.running()) runner_.RequestStop();
  Do([this] { window_.Button1Click(); },
     [this] {
       if (Edit4->isEnabled()) Edit4->setFocus();
     });
}

void TKorrekt::Button2Click() {
  Edit4Exit();
  Do([this] { window_.Button2Click(); });
}

void TKorrekt::Button3Click() {
  runner_.Run([this] { return window_.Button3Click(); }, [this](CorrectionClose how) { Close(how); });
}

void TKorrekt::Button4Click() {
  Edit4Exit();
  Do([this] { window_.Button4Click(); });
}

void TKorrekt::Button5Click() {
  Do([this] { window_.Button5Click(); });
}

void TKorrekt::Button6Click() {
  if (runner_.running()) runner_.RequestStop();
  runner_.Run([this] { return window_.Button6Click(); }, [this](CorrectionClose how) { Close(how); });
}

void TKorrekt::Button7Click() {
  Do([this] { window_.Button7Click(); });
}

void TKorrekt::Edit4Exit() {
  if (Edit4->text().isEmpty()) return;
  Do([this, text = Edit4->text().toStdString()] { window_.Edit4Exit(text); });
}

void TKorrekt::Close(CorrectionClose how) {
  Timer1->stop();
  Timer2->stop();
  close_ = how;
  done(how == CorrectionClose::Write ? kResultOk : kResultCancel);
}

CorrectionClose QtCorrectionPages::ShowCorrection(CorrectionWindow& window) {
  return OnUiThread([&] {
    TKorrekt shown(owner_, state_, window);
    return shown.Run();
  });
}

}  // namespace ruvenset
