#include "shell/windows/qt_technician.h"

#include <QEventLoop>
#include <QLayout>
#include <QTimer>
#include <chrono>
#include <thread>

#include "device/windows/choice_dialogs.h"
#include "device/windows/information_window.h"
#include "device/windows/number_dialogs.h"
#include "device/windows/password_dialogs.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/message_window.h"
#include "shell/windows/progress_window.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

// The progress window of a procedure; built, moved on and closed on the user-interface thread. Its Stop
// ends the wait of the worker that opened it.
class QtProgress final : public ProgressWindow {
 public:
  QtProgress(QWidget* owner, const QString& caption, const QString& text, int maximum) {
    OnUiThread([&] {
      std::function<void()> stop;
      if (WorkerThread* worker = CallingWorker()) stop = [worker] { worker->RequestStop(); };
      window_ = new TForm5(owner, caption, text, maximum, std::move(stop));
      window_->show();
      window_->raise();
    });
  }
  ~QtProgress() override {
    OnUiThread([&] { delete window_.data(); });
  }
  void Advance(int steps) override {
    OnUiThread([&] {
      if (window_) window_->Advance(steps);
    });
  }
  void SetText(const std::string& text) override {
    OnUiThread([&] {
      if (window_) window_->SetText(Q(text));
    });
  }

 private:
  QPointer<TForm5> window_;
};

}  // namespace

QtTechnician::QtTechnician(QWidget* owner, const ProgramState& state, StatusLabels labels)
    : owner_(owner), state_(state), labels_(labels) {}

void QtTechnician::ShowMessageWindow(const std::string& caption, const std::string& message,
                                     const std::string& button) {
  OnUiThread([&] {
    TFormMess window(owner_, Q(caption), Q(message), Q(button));
    window.exec();
  });
}

void QtTechnician::ShowMessageBox(const std::string& caption, const std::string& message) {
  OnUiThread([&] {
    TFormMess window(owner_, Q(caption), Q(message), "OK");
    window.setObjectName("MessageBox");
    window.exec();
  });
}

bool QtTechnician::Confirm(const std::string& caption, const std::string& message) {
  return OnUiThread([&] {
    TOKBottomDlg window(owner_, Q(caption), Q(message), Q(state_.Text(1773)), Q(state_.Text(1772)));
    return window.Answer();
  });
}

bool QtTechnician::ConfirmWrite(const std::string& caption, const std::string& message) {
  return OnUiThread([&] {
    TOKBottomDlg window(owner_, Q(caption), Q(message), Q(state_.Text(1773)), Q(state_.Text(1772)));
    window.MakeNoTheDefault();
    return window.Answer();
  });
}

bool QtTechnician::Confirm3(const std::string& caption, const std::string& line1, const std::string& line2,
                            const std::string& line3) {
  return OnUiThread([&] {
    TOKBottomDlg1 window(owner_, Q(caption), Q(line1), Q(line2), Q(line3), Q(state_.Text(1773)),
                         Q(state_.Text(1772)));
    return window.Answer();
  });
}

std::unique_ptr<ProgressWindow> QtTechnician::OpenProgress(const std::string& caption,
                                                           const std::string& text, int maximum) {
  return std::make_unique<QtProgress>(owner_, Q(caption), Q(text), maximum);
}

void QtTechnician::ShowNotice(const std::string& caption, const std::string& line1, const std::string& line2,
                              int closeAfterMs) {
  OnUiThread([&] {
    TForm83 window(owner_, Q(caption), Q(line1), Q(line2), Q(state_.Text(2278)), closeAfterMs);
    window.exec();
  });
}

void QtTechnician::SetPanel(QLabel* label, const std::string& text) {
  OnUiThread([&] {
    if (label == nullptr) return;
    label->setText(Q(text));
    // An exchange may hold the event loop: lay the status bar out for the new text and paint now, or
    // the panel would keep its old width and the text would show only after the exchange.
    QWidget* bar = label->parentWidget();
    if (bar != nullptr && bar->layout() != nullptr) bar->layout()->activate();
    label->repaint();
  });
}

void QtTechnician::SetStatusText(const std::string& text) {
  OnUiThread([&] {
    if (labels_.status != nullptr) labels_.status->setText(Q(text));
    // Panel 2 speaks while an exchange runs: the Stop beside it is offered just as long.
    if (labels_.stop != nullptr) labels_.stop->setVisible(!text.empty());
  });
}

void QtTechnician::SetProgressText(const std::string& text) {
  SetPanel(labels_.progress, text);
}

void QtTechnician::SetConnectionText(const std::string& text) {
  SetPanel(labels_.connection, text);
}

void QtTechnician::Pause(int milliseconds) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() != app->thread()) {
    // On the procedure's worker the windows go on by themselves.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  // The procedure is still running: windows repaint, but no click or key may start anything else.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

std::optional<std::string> QtTechnician::AskWritePassword(bool singleEntry) {
  return OnUiThread([&] {
    TPasswordDlg dialog(owner_, state_.texts, singleEntry);
    return dialog.Ask();
  });
}

std::optional<std::string> QtTechnician::AskParameterPassword() {
  return OnUiThread([&] {
    TPasswordDlg2 dialog(owner_, state_.texts);
    return dialog.Ask();
  });
}

std::optional<float> QtTechnician::AskNumber(const NumberRequest& request) {
  return OnUiThread([&]() -> std::optional<float> {
    if (request.filter == NumberFilter::DigitsPointMinus && request.maxLength <= 6) {
      TForm14 dialog(owner_, request);
      return dialog.AskNumber();
    }
    TForm24 dialog(owner_, request);
    return dialog.AskNumber();
  });
}

std::optional<int> QtTechnician::AskChoice(const ChoiceRequest& request) {
  return OnUiThread([&]() -> std::optional<int> {
    if (request.cancelText.empty()) {
      TFdann dialog(owner_, request);
      return dialog.AskChoice();
    }
    if (request.items.size() == 2) {
      TForm80 dialog(owner_, request);
      return dialog.AskChoice();
    }
    TForm8 dialog(owner_, request);
    return dialog.AskChoice();
  });
}

void QtTechnician::ShowInformation(const std::string& caption, const std::vector<std::string>& lines) {
  OnUiThread([&] {
    TNSHP window(owner_, Q(caption), lines);
    window.exec();
  });
}

}  // namespace ruvenset
