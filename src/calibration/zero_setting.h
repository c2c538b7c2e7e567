#pragma once
#include "calibration/zero_statistics.h"
#include "device/device_prompts.h"
#include "device/service_operations.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/hart_zero.h"

namespace ruvenset {

// The outcome of a zero setting; the numbers are the service operations window's result byte.
enum class ZeroSettingResult {
  Set = 0,            // the corrected offset was written and confirmed
  Failed = 1,         // link failure, refusal, or the technician declined to go on
  Stopped = 2,        // the technician stopped the zero measurement
  NoNewCycles = 3,    // the flow computer did not update its measurements
  NoValidValues = 4,  // no valid measurement at zero
  NotStarted = 5,     // the characteristic constants could not be read
};

// The step of a zero setting that failed.
enum class ZeroStep { None, Enter, Leave, Write };

struct ZeroSettingOutcome {
  ZeroSettingResult result = ZeroSettingResult::Failed;
  float correction = 0;  // added to the offset
  float offset = 0;      // the offset written, in the flow computer's unit
  bool written = false;  // the offset reached the flow computer
  ZeroStep failed = ZeroStep::None;
  bool serviceLeft = true;  // false: the last leave request failed, the flow computer may be in service mode
};

struct ZeroTools {
  PasswordPrompt& passwords;
  ServiceWindowHost& service;
  ZeroStatisticsHost& statistics;
};

// Sets the zero of the gas pressure (channel code 0) or differential-pressure (2) channel: reads the
// characteristic constants, measures the channel at zero inside service mode, leaves service mode, and
// then, inside service mode again, writes the offset increased by the correction. The outcome is
// reported afterwards with the message window: the correction and the new offset, or what failed and
// whether the flow computer was taken out of service mode.
[[nodiscard]] ZeroSettingOutcome RunZeroSetting(ProgramState& state, Technician& technician, ZeroTools& tools,
                                                int channelCode);

// The message window's caption and text after a zero setting (also after a successful one).
struct ZeroMessage {
  std::string caption;
  std::string message;
};
ZeroMessage ZeroSettingMessage(const ProgramState& state, const ZeroSettingOutcome& outcome, int channelCode);

// The zero items of the channel menus.
enum class ZeroItem { Pressure, DiffPressure, UpperDiffPressure, LowerDiffPressure };

// Which zero an item runs on a flow computer model: the offset in the characteristic constants, or the
// zero of the flow computer's own HART differential-pressure transmitter.
enum class ZeroMethod { Offset, HartTransmitter };
ZeroMethod ZeroMethodOf(int deviceType, ZeroItem item);

struct ZeroItemOutcome {
  ZeroMethod method = ZeroMethod::Offset;
  ZeroSettingOutcome offset;                            // with ZeroMethod::Offset
  HartZeroResult hart = HartZeroResult::NoTransmitter;  // with ZeroMethod::HartTransmitter
};

// Runs the zero of a menu item by the model rule: the offset zero with channel code 0 for pressure and
// 2 for the differential-pressure items, or the HART zero (the lower range's transmitter for the lower
// item).
[[nodiscard]] ZeroItemOutcome RunZeroItem(ProgramState& state, Technician& technician, ZeroTools& tools,
                                          ZeroItem item);

}  // namespace ruvenset
