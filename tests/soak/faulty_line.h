#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "link/loopback_port.h"
#include "scripted_technician.h"
#include "session/program_state.h"
#include "sim/fault_injector.h"

namespace ruvenset::testing {

using Bytes = std::vector<uint8_t>;

// How many runs of each procedure the soak makes: a short form by default, RUVENSET_SOAK_RUNS=N by hand.
inline int SoakRuns() {
  const char* asked = std::getenv("RUVENSET_SOAK_RUNS");
  const long n = asked != nullptr ? std::strtol(asked, nullptr, 10) : 0;
  return n > 0 ? static_cast<int>(n) : 40;
}

// A bad line under a running procedure: 2 % of the flow computer's answers are lost, damaged, from the
// wrong address, behind noise, or held back longer than the first-byte wait. At one request, drawn
// from 1..`lastStop`, the technician presses Stop: either while the answer is still awaited (it never
// comes) or just after it arrived (the stop meets the next wait).
class FaultyLine {
 public:
  FaultyLine(uint32_t seed, LoopbackPort& line, ProgramState& state, int lastStop)
      : faults_(seed), random_(seed * 7919u + 1), line_(line), state_(state) {
    faults_.rates() = {.drop = 0.004, .corrupt = 0.004, .wrongAddress = 0.004, .noise = 0.004};
    stopAt_ = std::uniform_int_distribution<int>(1, lastStop)(random_);
    answerBeforeStop_ = std::uniform_int_distribution<int>(0, 1)(random_) == 1;
    declineAfterStop = std::uniform_int_distribution<int>(0, 1)(random_) == 1;
  }

  // The peer's answer filter.
  bool Filter(const Bytes&, Bytes& response) {
    ++requests;
    if (requests == stopAt_) {
      stopped = true;
      state_.link.stop().Request();
      if (!answerBeforeStop_) return false;
    }
    if (std::uniform_real_distribution<double>(0.0, 1.0)(random_) < 0.004) {
      ++stalled;
      line_.Deliver(response, int64_t{state_.config.link.firstByteWait + 1} * 1'000'000'000, 100'000);
      return false;
    }
    const Bytes clean = response;
    const bool delivered = faults_.Apply(response);
    damaged += !delivered || response != clean;
    return delivered;
  }

  // The technician's answer to "link failed, try again?": the first one after the Stop is drawn
  // (a technician who pressed Stop may mean it), every other one is Yes — the line comes back.
  bool AnswerLinkQuestion() {
    ++linkQuestions;
    if (!stopped || stopAnswered_) return true;
    stopAnswered_ = true;
    declined = declineAfterStop;
    return !declineAfterStop;
  }

  int requests = 0;
  int stalled = 0;
  int damaged = 0;
  int linkQuestions = 0;
  bool stopped = false;
  bool declineAfterStop = false;
  bool declined = false;

 private:
  sim::FaultInjector faults_;
  std::mt19937 random_;
  LoopbackPort& line_;
  ProgramState& state_;
  int stopAt_ = 0;
  bool answerBeforeStop_ = false;
  bool stopAnswered_ = false;
};

// A technician on the bad line: the link question goes to the line's rule, every other question to
// `Base`.
template <class Base>
class LineTechnician : public Base {
 public:
  template <typename... Args>
  LineTechnician(const ProgramState& state, Args&&... args)
      : Base(std::forward<Args>(args)...), state_(state) {}
  FaultyLine* line = nullptr;

  bool Confirm(const std::string& caption, const std::string& message) override {
    if (line != nullptr && caption == state_.Text(2195) && message == state_.Text(2196)) {
      this->log.push_back("confirm " + caption + " | " + message);
      return line->AnswerLinkQuestion();
    }
    return Base::Confirm(caption, message);
  }

 private:
  const ProgramState& state_;
};

// The questions of a soak run that are not about the link: answered from the queue, then No, without
// failing — after a Stop a procedure may take a way the script did not foresee.
class LenientTechnician : public ScriptedTechnician {
 public:
  int unforeseen = 0;
  bool Confirm(const std::string& caption, const std::string& message) override {
    log.push_back("confirm " + caption + " | " + message);
    return Next();
  }
  bool Confirm3(const std::string& caption, const std::string& l1, const std::string& l2,
                const std::string& l3) override {
    log.push_back("confirm3 " + caption + " | " + l1 + " | " + l2 + " | " + l3);
    return Next();
  }

 private:
  bool Next() {
    if (confirms.empty()) {
      ++unforeseen;
      return false;
    }
    const bool answer = confirms.front();
    confirms.pop_front();
    return answer;
  }
};

}  // namespace ruvenset::testing
