#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "link/link_clock.h"
#include "session/program_state.h"

namespace ruvenset::testing {

// Answers modal windows as they open, by object name, the way a technician would; every modal window
// is answered once and its name recorded.
class ModalScript {
 public:
  using Answer = std::function<void(QWidget*)>;
  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  void On(const QString& name, Answer answer) { answers_[name] = std::move(answer); }
  const QStringList& seen() const { return seen_; }

  // The technician's answers to a connect: Connect in the connect dialog, the simulator's write password,
  // and No to taking a pipeline out of service mode.
  void AnswerConnect() {
    On("Form73", Click("BitBtn1"));
    On("PasswordDlg", [](QWidget* w) {
      w->findChild<QLineEdit*>("Password")->setText("1234");
      Click("OKBtn")(w);
    });
    On("OKBottomDlg1", Click("CancelBtn"));
  }

  static Answer Click(const char* button) {
    return [button](QWidget* w) {
      if (auto* b = w->findChild<QPushButton*>(button)) b->click();
    };
  }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    seen_ << modal->objectName();
    const auto answer = answers_.find(modal->objectName());
    if (answer != answers_.end()) {
      answer->second(modal);
    } else {
      ADD_FAILURE() << "unexpected window " << modal->objectName().toStdString();
      modal->close();
    }
  }

  QTimer timer_;
  std::map<QString, Answer> answers_;
  QStringList seen_;
};

// The program state with the Russian texts loaded.
struct GuiState {
  GuiState() {
    state.config.langRus = 1;
    EXPECT_EQ(LoadLanguageTexts(1, state.texts).status, LangLoadStatus::Ok);
  }
  SteadyLinkClock clock;
  ProgramState state{clock};
};

// Serves the events until `done` holds; false when it did not within the time.
template <class Condition>
bool WaitFor(Condition done, int timeoutMs = 30000) {
  return QTest::qWaitFor(done, timeoutMs);
}

}  // namespace ruvenset::testing
