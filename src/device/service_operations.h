#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "device/device_prompts.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// Operation codes of the service operations window.
inline constexpr int kServiceEnter = 0;
inline constexpr int kServiceLeave = 1;

enum class [[nodiscard]] ServiceResult{Succeeded, Failed};

// Returned by Timer1Timer when the operation has ended.
inline constexpr int kServiceDone = -1;

// How the service operations window shows itself: its one-line panel and its progress bar.
class ServiceView {
 public:
  virtual ~ServiceView() = default;
  virtual void SetPanelText(const std::string& text) = 0;
  virtual void SetProgress(int position, int maximum) = 0;
};

// The logic of the service operations window: puts a pipeline into service mode (operation 0) or
// takes it out (operation 1). The window sets the fields, then calls Timer1Timer when its timer fires;
// each call does one step (an exchange, a status read or a progress step; the link-error and refusal
// questions are asked inside it) and returns the milliseconds after which the timer is to fire again,
// or kServiceDone when the operation has ended and outcome() holds how it ended. The pauses between
// steps are the window's timer intervals, so the window repaints while the flow computer changes state.
class ServiceOperations {
 public:
  ServiceOperations(ProgramState& state, Technician& technician, PasswordPrompt& passwords)
      : state_(state), technician_(technician), passwords_(passwords) {}
  // The window that renders the panel and the progress bar (set by the host before the first tick).
  void SetView(ServiceView* view) { view_ = view; }

  int operation = kServiceEnter;
  // 1: the enter request carries flag byte 0 (verification, HART zero); 0: flag byte 1 (calibration).
  uint8_t serviceFlag = 1;
  std::string panelText;
  std::string captionText;  // empty: language text 2287

  std::string caption() const { return captionText.empty() ? state_.Text(2287) : captionText; }
  int Timer1Timer();
  ServiceResult outcome() const { return outcome_; }
  bool finished() const { return step_ == Step::Done; }
  // Entering ended after an enter request that got no answer: the flow computer may have taken it.
  bool enterUnanswered() const { return enterUnanswered_; }

 private:
  enum class Step { Start, Exchange, Read, Again, Fill, Done };

  int StartStep();
  int EnterExchange();
  int LeaveExchange();
  int EnterRead();
  int LeaveRead();
  int Fill(int target);
  int Finish(ServiceResult outcome);
  void Advance();
  // Reads the pipeline's state; false when the waiting is to end (a declined retry or a refusal).
  bool ReadState(int& pipelineState);
  int pipeline() const { return state_.record.currentPipeline; }

  ProgramState& state_;
  Technician& technician_;
  PasswordPrompt& passwords_;
  ServiceView* view_ = nullptr;
  Step step_ = Step::Start;
  int position_ = 0;
  int maximum_ = 0;
  ServiceResult outcome_ = ServiceResult::Failed;
  bool enterUnanswered_ = false;
};

// Shows the service operations window modally: sets itself as the window's view, calls Timer1Timer
// when its timer fires, with the intervals it returns, until the operation has ended.
class ServiceWindowHost {
 public:
  virtual ~ServiceWindowHost() = default;
  virtual ServiceResult ShowModal(ServiceOperations& window) = 0;
};

// A host without a window (the CLI and the tests): waits on the link's clock between the steps and
// shows the window's texts on an optional view.
class ClockServiceHost final : public ServiceWindowHost {
 public:
  explicit ClockServiceHost(LinkClock& clock, ServiceView* view = nullptr) : clock_(clock), view_(view) {}
  ServiceResult ShowModal(ServiceOperations& window) override;

 private:
  LinkClock& clock_;
  ServiceView* view_;
};

// Runs a service operation to its end without a window, waiting on the link's clock between the steps
// (the CLI and the tests; windows drive Timer1Timer from their timer).
ServiceResult RunServiceOperation(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                  ServiceView* view, int operation, uint8_t serviceFlag,
                                  const std::string& panelText);

// Creates the window for one operation and shows it through the host, with `caption` as its caption
// (empty: language text 2287). When entering ends after an unanswered enter request (declined retry, or
// a stop), service mode is left again through the same host, so the flow computer is not left in it; the
// result stays a failure.
ServiceResult RunServiceOperation(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                  ServiceWindowHost& host, int operation, uint8_t serviceFlag,
                                  const std::string& panelText, const std::string& caption = {});

// Reads the characteristic constants block with the read-memory request (command 0x13); the link-error
// and refusal questions are asked as for any write. True with all response data bytes in `block`.
bool ReadCharacteristicConstants(ProgramState& state, Technician& technician, std::vector<uint8_t>& block);

}  // namespace ruvenset
