#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "device/device_prompts.h"
#include "link/link_clock.h"
#include "session/technician.h"

namespace ruvenset::testing {

// A technician played by a script: every window is recorded as one line of `log`, and the questions
// are answered from queues. A question whose queue is empty fails the test (and is answered No).
class ScriptedTechnician : public Technician, public PasswordPrompt, public ValuePrompts {
 public:
  std::vector<std::string> log;
  std::vector<std::string> writeQuestions;
  std::deque<bool> confirms;
  std::deque<std::optional<std::string>> passwords;
  std::deque<std::optional<float>> numbers;
  std::deque<std::optional<int>> choices;
  int pausedMs = 0;
  int progressSteps = 0;
  std::string status;
  std::string connection;
  LinkClock* clock = nullptr;  // when set, a pause lets this much time pass on the line too

  void ShowMessageWindow(const std::string& caption, const std::string& message,
                         const std::string&) override {
    log.push_back("message " + caption + " | " + message);
  }
  void ShowMessageBox(const std::string& caption, const std::string& message) override {
    log.push_back("box " + caption + " | " + message);
  }
  bool Confirm(const std::string& caption, const std::string& message) override {
    log.push_back("confirm " + caption + " | " + message);
    return Next(confirms, false);
  }
  // A question whose Yes writes into the flow computer: recorded in `writeQuestions`, answered as Confirm.
  bool ConfirmWrite(const std::string& caption, const std::string& message) override {
    writeQuestions.push_back(message);
    return Confirm(caption, message);
  }
  bool Confirm3(const std::string& caption, const std::string& l1, const std::string& l2,
                const std::string& l3) override {
    log.push_back("confirm3 " + caption + " | " + l1 + " | " + l2 + " | " + l3);
    return Next(confirms, false);
  }
  std::unique_ptr<ProgressWindow> OpenProgress(const std::string& caption, const std::string& text,
                                               int maximum) override {
    log.push_back("progress " + caption + " | " + text + " | " + std::to_string(maximum));
    return std::make_unique<Progress>(*this);
  }
  void ShowNotice(const std::string& caption, const std::string& l1, const std::string& l2, int ms) override {
    log.push_back("notice " + caption + " | " + l1 + " | " + l2 + " | " + std::to_string(ms));
  }
  void SetStatusText(const std::string& text) override { status = text; }
  void SetProgressText(const std::string&) override {}
  void SetConnectionText(const std::string& text) override { connection = text; }
  void Pause(int ms) override {
    pausedMs += ms;
    if (clock != nullptr) clock->SleepFor(int64_t{ms} * 1'000'000);
  }

  std::optional<std::string> AskWritePassword(bool single) override {
    log.push_back(single ? "password single" : "password double");
    return Next(passwords, std::optional<std::string>());
  }
  std::optional<std::string> AskParameterPassword() override {
    log.push_back("parameter password");
    return Next(passwords, std::optional<std::string>());
  }
  std::optional<float> AskNumber(const NumberRequest& r) override {
    log.push_back("number " + r.caption);
    return Next(numbers, std::optional<float>());
  }
  std::optional<int> AskChoice(const ChoiceRequest& r) override {
    log.push_back("choice " + r.caption);
    return Next(choices, std::optional<int>());
  }
  void ShowInformation(const std::string& caption, const std::vector<std::string>&) override {
    log.push_back("information " + caption);
  }

  // Lines of the log that start with `prefix`.
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const auto& l : log) n += l.rfind(prefix, 0) == 0;
    return n;
  }

 private:
  class Progress : public ProgressWindow {
   public:
    explicit Progress(ScriptedTechnician& t) : t_(t) {}
    void Advance(int steps) override { t_.progressSteps += steps; }
    void SetText(const std::string&) override {}

   private:
    ScriptedTechnician& t_;
  };

  // The next scripted answer. A question the script did not foresee fails the test: a test that
  // meets one checks less than it claims. The fallback (No, cancel) keeps the procedure going.
  template <typename T>
  T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
      ADD_FAILURE() << "unscripted question: " << (log.empty() ? std::string() : log.back());
      return fallback;
    }
    T v = queue.front();
    queue.pop_front();
    return v;
  }
};

}  // namespace ruvenset::testing
