#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calibration/sample_window.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/hart_link.h"

namespace ruvenset {

// Calibration channel kinds: the section of the calibration image a table goes to.
inline constexpr int kCalibrationPressure = 0;
inline constexpr int kCalibrationTemperature = 1;
inline constexpr int kCalibrationDifferential = 2;

// What the measurement window measures: a calibration point of the channel (point mode, Timer2) or the
// ambient-temperature (Тос) sensor's code (ambient mode, Timer1).
enum class AcquisitionMode { Point, Ambient };

// What the window works with, fixed before it opens.
struct AcquisitionSetup {
  AcquisitionMode mode = AcquisitionMode::Point;
  bool statistics = false;  // statistics mode gathers the sample window; prompt mode only shows the code
  int kind = kCalibrationTemperature;
  int channelSelector = 1;  // sent with the measurement request (0..3)
  int pipeline = 1;
  int pointNumber = 1;        // shown in prompt mode
  HartLink* hart = nullptr;   // the reference transmitter (point mode), or none
  std::string referenceUnit;  // unit name of the transmitter's reading, converted to the device's unit
};

inline constexpr int kAcquisitionLines = 12;
inline constexpr int kAcquisitionInterval = 900;

// What one tick produced, for the window to render: the value lines and the statistics behind the
// strip chart (the codes in the ring, oldest first, the rounded mean and the standard deviation in codes).
struct AcquisitionTick {
  std::array<std::string, kAcquisitionLines> lines;
  bool sampled = false;  // a new code entered the statistics
  std::vector<int32_t> codes;
  uint32_t mean = 0;
  double sigma = 0;
};

// The logic of the measurement window TForm60. Each tick asks whether the channel completed a new
// conversion (command 0x1D), takes the reference transmitter's reading in point mode, reads the codes
// (command 0x0C) and updates the statistics. A failed or refused measurement exchange ends the tick,
// so nothing of a broken answer enters the statistics.
class TForm60Logic {
 public:
  TForm60Logic(ProgramState& state, Technician& technician, const AcquisitionSetup& setup);

  const AcquisitionSetup& setup() const { return setup_; }
  std::string caption() const { return state_.Text(2238); }
  // Memo1: the labels of the lines, by the mode.
  std::vector<std::string> Labels() const;
  std::string nextText() const { return state_.Text(2279); }
  std::string resetText() const { return state_.Text(2648); }
  std::string cancelText() const { return state_.Text(2614); }

  // The tick of the window's own mode; the window calls only this, every kAcquisitionInterval ms.
  AcquisitionTick Tick() { return setup_.mode == AcquisitionMode::Ambient ? Timer1Timer() : Timer2Timer(); }
  AcquisitionTick Timer1Timer();
  AcquisitionTick Timer2Timer();
  // Resets the statistics (the sample window and the reference readings).
  AcquisitionTick BitBtn2Click();

  const SampleWindow& samples() const { return samples_; }
  const ReferenceWindow& references() const { return references_; }
  const AcquisitionTick& current() const { return tick_; }

 private:
  // Command 0x1D; false when the tick is to end (no answer, or no new conversion of the watched counter).
  bool NewConversion(int counterByte);
  void PollReference();
  // Command 0x0C; false when the tick is to end. `askOnRefusal` asks whether to send it again.
  bool Measure(bool askOnRefusal);
  void ShowStatistics(int32_t code, double fullScale, double deviationScale);
  AcquisitionTick Snapshot(bool sampled);
  std::string& line(int i) { return tick_.lines[static_cast<size_t>(i)]; }

  ProgramState& state_;
  Technician& technician_;
  AcquisitionSetup setup_;
  SampleWindow samples_;
  ReferenceWindow references_;
  AcquisitionTick tick_;
  int lastCounter_ = 255;
};

}  // namespace ruvenset
