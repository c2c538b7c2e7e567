#include "shell/windows/connect_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

#include "shell/link_dialog_rules.h"
#include "shell/port_test.h"
#include "shell/windows/link_parameters_dialog.h"
#include "shell/windows/message_window.h"
#include "shell/windows/port_test_window.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

// Advances the port test window and waits through the technician.
class WindowPortTestObserver final : public PortTestObserver {
 public:
  WindowPortTestObserver(QPointer<TForm92> window, Technician& technician)
      : window_(std::move(window)), technician_(technician) {}
  void Trying(int slot) override {
    OnUiThread([&] {
      if (window_) window_->Step(slot + 1);
    });
  }
  void Pause(int milliseconds) override { technician_.Pause(milliseconds); }

 private:
  QPointer<TForm92> window_;
  Technician& technician_;
};

QPoint BelowOf(const QWidget* dialog) {
  const QRect frame = dialog->frameGeometry();
  return QPoint(frame.left(), frame.bottom() + 1);
}

}  // namespace

TForm20::TForm20(QWidget* parent, ProgramState& state) : QDialog(parent), state_(state) {
  PrepareDialog(this, "Form20", Q(state.Text(2333)));
  Label1 = new QLabel(Q(state.texts.FormatText(2226, {1.0, 254.0})), this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setCompleter(nullptr);
  ComboBox1->setMaxVisibleItems(16);
  for (int a = kMinAddress; a <= kMaxAddress; ++a) ComboBox1->addItem(QString::number(a));
  ComboBox1->setEditText(QString::number(state.config.link.address));
  ComboBox1->lineEdit()->setMaxLength(3);
  FilterKeys(ComboBox1, DigitKeyAccepted);
  Label1->setBuddy(ComboBox1);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(state.Text(2847)), QStyle::SP_DialogOkButton);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(state.Text(2614)), QStyle::SP_DialogCancelButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm20::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
}

void TForm20::BitBtn1Click() {
  const auto address = AcceptAddress(ComboBox1->currentText().toStdString());
  if (!address) {
    ComboBox1->setFocus();
    ComboBox1->lineEdit()->selectAll();
    return;
  }
  state_.config.link.address = static_cast<uint8_t>(*address);
  done(kResultOk);
}

TForm73::TForm73(QWidget* parent, ProgramState& state, Technician& technician, PortOpener opener)
    : TForm20(parent, state), technician_(technician), opener_(std::move(opener)) {
  setObjectName("Form73");
  BitBtn3 = MakeButton(this, "BitBtn3", Q(state.Text(2330)), QStyle::SP_FileDialogDetailedView);
  connect(BitBtn3, &QPushButton::clicked, this, &TForm73::BitBtn3Click);

  auto* address = new QHBoxLayout;
  address->addWidget(ComboBox1);
  address->addStretch();
  ComboBox1->setMinimumWidth(90);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn3);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(10);
  layout->addWidget(Label1);
  layout->addLayout(address);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Label1->setMinimumWidth(420);
  ComboBox1->setFocus();
  ComboBox1->lineEdit()->selectAll();
}

void TForm73::BitBtn3Click() {
  if (runner_.running()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto* window = new TForm92(this, Q(state_.Text(2287)), Q(state_.Text(3070)));
  window->move(BelowOf(this));
  window->show();
  setEnabled(false);
  QPointer<TForm92> shown(window);
  runner_.Run(
      [this, shown] {
        WindowPortTestObserver observer(shown, technician_);
        return RunPortTest(state_.config, opener_, observer).opened;
      },
      [this, window](const std::array<bool, kComSlotCount>& opened) {
        delete window;
        setEnabled(true);
        QApplication::restoreOverrideCursor();
        PortTested(opened);
      });
}

void TForm73::PortTested(const std::array<bool, kComSlotCount>& opened) {
  PortTestResult tested;
  tested.opened = opened;
  // A port given at start can be chosen even when no slot opens.
  if (!tested.any() && state_.givenPort.path.empty()) {
    TFormMess message(this, Q(state_.Text(2385)), Q(state_.Text(2856)), Q(state_.Text(2278)));
    message.adjustSize();
    message.move(BelowOf(this));
    message.exec();
  } else {
    TForm72 parameters(this, state_, tested.opened, opener_);
    parameters.exec();
  }
  technician_.SetConnectionText(ConnectionPanelText(state_));
}

}  // namespace ruvenset
