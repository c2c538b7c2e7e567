#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "session/program_state.h"
#include "session/technician.h"
#include "verification/channel_ranges.h"
#include "verification/hart_link.h"
#include "verification/measurement_reply.h"
#include "verification/protocol_point.h"
#include "verification/verification_file.h"
#include "verification/verification_pages.h"
#include "verification/verification_statistics.h"
#include "verification/wall_clock.h"

namespace ruvenset {

// Flow computer models that report new-measurement markers (command 0x1D) and get the measuring window
// TForm54; every other model gets TForm55.
bool ReportsMeasurementMarkers(int deviceType);

// What a measuring window works with, fixed by the wizard pages.
struct MeasuringSetup {
  int channelKind = kKindPressure;
  int pipeline = 1;
  bool markers = true;  // TForm54: marker check and 350 ms wait before each reading
  int referenceMode = kReferenceNone;
  float actual = 0;
  ChannelRange actualRange;
  int atmosphericMode = 0;  // 1 adds, 2 subtracts the atmospheric pressure from the reference
  float atmospheric = 0;    // in the flow computer's pressure unit
  bool showConverted = false;
  std::string convertedUnit;
  HartLink* hart = nullptr;          // the reference transmitter (reference mode 2)
  VerificationFile* file = nullptr;  // open data file, or null
  uint8_t recordChannel = 0;
  uint8_t recordUnit = 0;
};

// The memo lines of a measuring window, as text. Empty lines are shown empty.
struct MeasuringDisplay {
  std::string caption;
  std::string message;  // first value line: no link, a refusal, or nothing
  std::string count;
  std::string time;
  std::string ambientAdc;
  std::string ambientTemperature;
  std::string channelAdc;
  std::string value;      // with the unit name
  std::string converted;  // in the chosen display unit, when that differs from the flow computer's
  std::string mean;
  std::string largestDeviation;
  std::string reference;
  std::string referenceMean;
  std::string referenceError;
  std::string actual;
  std::string actualSince;
  std::string resetTime;
  std::string fileError;
};

// The last reading a window took.
struct TakenReading {
  uint32_t count = 0;
  std::string time;
  uint16_t ambientAdc = 0;
  uint32_t channelAdc = 0;
  float value = 0;
  bool hasDeviation = false;  // against the actual value or the reference mean
  float deviation = 0;        // value − reference
};

// The logic of the measuring windows TForm54 and TForm55: each timer tick takes at most one reading,
// shows it, records it and updates the statistics; the three buttons finish, reset the statistics and
// take a new actual value. Each of the buttons ends the protocol point that the readings since the
// start (or the last reset or new actual value) make.
class MeasuringWindow {
 public:
  MeasuringWindow(ProgramState& state, Technician& technician, VerificationPages& pages,
                  const MeasuringSetup& setup, WallClock& wallClock);

  bool markers() const { return setup_.markers; }
  int firstInterval() const { return 400; }
  // One tick; returns the interval until the next one (450 ms for TForm54, 900 ms for TForm55).
  int Timer1Timer();
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();

  bool closed() const { return closed_; }
  const MeasuringDisplay& display() const { return display_; }
  const VerificationStatistics& statistics() const { return statistics_; }
  const TakenReading& lastReading() const { return last_; }
  const MeasuringSetup& setup() const { return setup_; }
  // The points closed so far (all of them once the window is finished).
  const std::vector<ProtocolPoint>& points() const { return points_.points(); }

 private:
  void Measure();
  void ShowReading(const MeasurementReply& reply, const ChannelReading& reading, std::time_t seconds);
  void Record(const MeasurementReply& reply, const ChannelReading& reading, std::time_t seconds, int ms);
  void Deviation(float value);
  void PollReference(float value);
  void ShowDeviation();
  void ClearValueLines();
  std::string Number(float value) const;
  std::time_t Now();

  ProgramState& state_;
  Technician& technician_;
  VerificationPages& pages_;
  MeasuringSetup setup_;
  WallClock& wallClock_;
  MeasuringDisplay display_;
  VerificationStatistics statistics_;
  PointRecorder points_;
  TakenReading last_;
  int lastMarker_ = 255;
  float shownMean_ = 0;
  bool meanShown_ = false;
  std::atomic<bool> closed_ = false;  // read by the window's thread while a reading may run
};

}  // namespace ruvenset

namespace ruvenset {

// The actual-value dialog of a channel: its range and unit.
NumberRequest ActualValueRequest(const ProgramState& state, int channelKind, const ChannelRange& range);

}  // namespace ruvenset
