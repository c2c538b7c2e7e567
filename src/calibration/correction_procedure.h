#pragma once
#include "calibration/correction_window.h"
#include "device/device_prompts.h"
#include "device/service_operations.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/wall_clock.h"

namespace ruvenset {

// The outcome of a characteristic correction; the first four are the service operations window's
// result byte.
enum class CorrectionResult {
  Written = 0,      // the new slope and offset were written and confirmed
  Failed = 1,       // link failure, refusal, a damaged constants block, or a declined retry
  Interrupted = 2,  // the technician left the correction window without writing
  NotStarted = 5,   // the pipeline, the unit or the number of points was not obtained
};

// The step of a correction that failed.
enum class CorrectionStep { None, Enter, Read, Leave, Write };

struct CorrectionOutcome {
  CorrectionResult result = CorrectionResult::NotStarted;
  float a0 = 0, b0 = 0, a = 0, b = 0;
  bool written = false;  // the new slope and offset reached the flow computer
  CorrectionStep failed = CorrectionStep::None;
  bool serviceLeft = true;  // false: the last leave request failed, the flow computer may be in service mode
};

// The message after a correction that reached service mode: the new coefficients, or what failed and
// whether the flow computer was taken out of service mode. Empty when there is nothing to say.
std::string CorrectionMessage(const ProgramState& state, const CorrectionOutcome& outcome);

// The correction window shown modally; returns how it was closed.
class CorrectionPages {
 public:
  virtual ~CorrectionPages() = default;
  virtual CorrectionClose ShowCorrection(CorrectionWindow& window) = 0;
};

struct CorrectionTools {
  PasswordPrompt& passwords;
  ValuePrompts& prompts;
  ServiceWindowHost& service;
  CorrectionPages& pages;
  WallClock& wallClock;
};

// The number-of-points window TPointsK as a choice: "1 точка" or "2 точки", two preselected.
ChoiceRequest PointsRequest(const ProgramState& state);

// Corrects the nominal static characteristic of the gas pressure (channel 0) or differential-pressure
// (channel 1) channel: pipeline 1's state, the unit, the number of points (pressure only; differential
// pressure takes two), then inside service mode the correction window; after Запись service mode is
// left and entered again around the write of the new slope and offset. The outcome is reported with
// the message window (CorrectionMessage).
[[nodiscard]] CorrectionOutcome CorrectCharacteristic(ProgramState& state, Technician& technician,
                                                      CorrectionTools& tools, int channel);

// Puts the slope A and offset B of the channel (selector 0 pressure, 2 differential pressure) into
// the block, recomputes its check bytes and writes it at address 7958.
[[nodiscard]] ConstantsWrite WriteSlopeAndOffset(ProgramState& state, Technician& technician,
                                                 ConstantsBlock& block, int selector, float a, float b);

}  // namespace ruvenset
