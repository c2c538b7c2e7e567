#include "calibration/correction_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/adaptive_format.h"
#include "common/decimal_text.h"

namespace ruvenset {
namespace {

// A coefficient or a measured value in a fixed format; a value that rounds to zero prints without its
// sign (0.00000, never -0.00000).
std::string Printf(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  std::string out = text;
  const size_t minus = out.find('-');
  if (minus != std::string::npos && out.find_first_of("123456789") == std::string::npos) out.erase(minus, 1);
  return out;
}

// A typed number by the program's one rule (a decimal point or comma, a leading minus).
bool ParseTyped(const std::string& text, float& out) {
  const std::optional<float> value = ParseDecimal(text);
  if (!value) return false;
  out = *value;
  return true;
}

}  // namespace

CorrectionWindow::CorrectionWindow(ProgramState& state, Technician& technician, WallClock& wallClock,
                                   const CorrectionSetup& setup, const ConstantsBlock& block)
    : state_(state), technician_(technician), wallClock_(wallClock), setup_(setup), block_(block) {
  StartState();
}

void CorrectionWindow::FormActivate() {
  const DeviceByteOrder order = state_.record.id.byteOrder;
  const bool pressure = setup_.selector != 2;
  a0_ = block_.At(pressure ? kPressureSlopeAt : kDiffPressureSlopeAt, order);
  b0_ = block_.At(pressure ? kPressureOffsetAt : kDiffPressureOffsetAt, order);
  display_.a0 = Printf("%.5f", a0_);
  display_.b0 = Printf("%.5f", b0_);
  char text[96];
  std::snprintf(text, sizeof text, "[ %g ... %g ]", setup_.rangeLower, setup_.rangeUpper);
  display_.range = text;
  display_.status = state_.Text(3080);
}

int CorrectionWindow::pointBeingTaken() const {
  const int taken = (xTaken_[0] ? 1 : 0) + (xTaken_[1] ? 1 : 0);
  return taken < setup_.points ? taken : setup_.points - 1;
}

void CorrectionWindow::GiveReferenceTo(int current) {
  int point = 0;
  while (point < current && yTaken_[point]) ++point;
  referencePoint_ = point;
  display_.referenceCaption = state_.texts.FormatText(setup_.selector == 2 ? 3071 : 3072, {point + 1});
  display_.reference = yTaken_[point] ? yText_[point] : std::string();
}

void CorrectionWindow::StartState() {
  buttons_ = CorrectionButtons{};
  display_.a.clear();
  display_.b.clear();
  GiveReferenceTo(pointBeingTaken());
}

void CorrectionWindow::ResetStatistics() {
  sum_ = 0;
  count_ = 0;
  mean_ = 0;
  largest_ = 0;
  display_.count.clear();
  display_.time.clear();
  display_.code.clear();
  display_.value.clear();
  display_.mean.clear();
  display_.deviation.clear();
}

void CorrectionWindow::Button4Click() {
  ResetStatistics();
  lastCounter_ = 255;
  timer1_ = true;
  display_.message.clear();
  GiveReferenceTo(pointBeingTaken());
  buttons_.start = false;
  buttons_.stop = true;
  buttons_.resetStatistics = true;
  buttons_.calculate = false;
  buttons_.write = false;
}

int CorrectionWindow::Timer1Timer() {
  if (!timer1_) return kTimer1Ms;
  CycleReading reading;
  switch (ReadMeasurementCycle(state_, technician_, setup_.selector, lastCounter_, false, reading)) {
    case CycleStep::Unchanged:
      display_.message.clear();
      break;
    case CycleStep::Measured:
      display_.message.clear();
      Measure(reading);
      break;
    case CycleStep::Refused:
      display_.message = state_.texts.FormatText(2996, {reading.refusalCode});
      break;
    case CycleStep::Stopped:
      display_.message = state_.Text(3350);
      break;
    default:
      display_.message = state_.Text(2217);
      break;
  }
  return kTimer1Ms;
}

void CorrectionWindow::Measure(const CycleReading& reading) {
  if (!reading.valid || !std::isfinite(reading.value)) {
    display_.value.clear();
    display_.message = state_.Text(2218);
    return;
  }
  float value = reading.value;
  if (setup_.unitsDiffer) value = RoundToDisplayed(value * setup_.unitFactor);
  ++count_;
  sum_ += value;
  mean_ = RoundToDisplayed(static_cast<float>(sum_ / count_));
  std::time_t seconds = 0;
  int ms = 0;
  wallClock_.Now(seconds, ms);
  char text[64];
  std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(count_));
  display_.count = text;
  display_.time = FormatReadingTime(seconds);
  std::snprintf(text, sizeof text, "%8lu(0x%06X)", static_cast<unsigned long>(reading.adc),
                static_cast<unsigned>(reading.adc));
  display_.code = text;
  display_.value = FormatAdaptive(value) + " " + setup_.unitName;
  display_.mean = FormatAdaptive(mean_) + " " + setup_.unitName;
  const float deviation = value - mean_;
  if (std::fabs(deviation) >= std::fabs(largest_)) largest_ = deviation;
  // The sign only where the deviation shows digits: -0.0000 would read as a deviation.
  const std::string magnitude = FormatAdaptive(std::fabs(largest_));
  const bool shown = magnitude.find_first_of("123456789") != std::string::npos;
  display_.deviation = (shown ? (largest_ < 0 ? "-" : "+") : "") + magnitude;
}

void CorrectionWindow::Button1Click() {
  state_.link.stop().Clear();
  timer1_ = false;
  timer2_ = true;
  buttons_.stop = false;
  buttons_.resetStatistics = false;
  buttons_.start = true;
  display_.message.clear();
  if (count_ == 0) return;
  const int point = pointBeingTaken();
  x_[point] = mean_;
  xTaken_[point] = true;
  if (setup_.points == 1) {
    display_.x1 = Printf("%8.3f", mean_);
  } else {
    (point == 0 ? display_.x1 : display_.x2) = Printf("%8.4f", mean_);
  }
  GiveReferenceTo(yTaken_[point] ? std::min(point + 1, setup_.points - 1) : point);
  buttons_.reference = true;
  buttons_.calculate = setup_.points == 1 || point == 1;
}

void CorrectionWindow::Edit4Exit(const std::string& text) {
  display_.reference = text;
  float value = 0;
  if (!ParseTyped(text, value)) return;
  y_[referencePoint_] = value;
  yTaken_[referencePoint_] = true;
  yText_[referencePoint_] = text;
}

std::string CorrectionWindow::MissingForCalculation() const {
  for (int p = 0; p < setup_.points; ++p) {
    if (!xTaken_[p]) return state_.texts.FormatText(3351, {p + 1});
    if (!yTaken_[p]) return state_.texts.FormatText(3352, {p + 1});
  }
  return state_.Text(3353);
}

bool CorrectionWindow::EqualPoints() const {
  return setup_.points == 2 && xTaken_[0] && xTaken_[1] && x_[0] == x_[1];
}

bool CorrectionWindow::Timer2Timer() {
  if (!timer2_) return false;
  if (EqualPoints()) {
    Button7Click();
    display_.status = state_.Text(3084);
    return true;
  }
  display_.status = state_.Text(3080);
  return false;
}

void CorrectionWindow::Button2Click() {
  // The values stay in the calibration unit; the computation works on copies in the flow computer's.
  const float factor = setup_.unitFactor != 0 ? setup_.unitFactor : 1;
  const float x1 = x_[0] / factor, x2 = x_[1] / factor;
  const float y1 = y_[0] / factor, y2 = y_[1] / factor;
  bool computed = false;
  if (setup_.points == 2) {
    if (EqualPoints()) {
      Button7Click();
      display_.status = state_.Text(3084);
      return;
    }
    if (xTaken_[0] && xTaken_[1] && yTaken_[0] && yTaken_[1] && y1 != y2) {
      k_ = (y2 - y1) / (x2 - x1);
      d_ = y1 - k_ * x1;
      a_ = k_ * a0_;
      b_ = k_ * b0_ + d_;
      computed = true;
    }
  } else if (xTaken_[0] && yTaken_[0]) {
    k_ = 1;
    d_ = y1 - x1;
    a_ = a0_;
    b_ = b0_ + d_;
    computed = true;
  }
  if (!computed) {
    display_.message = MissingForCalculation();
    return;
  }
  display_.message.clear();
  display_.a = Printf("%.5f", a_);
  display_.b = Printf("%.5f", b_);
  buttons_.entries = true;
  buttons_.write = true;
}

void CorrectionWindow::Edit6Change(const std::string& text) {
  float value = 0;
  if (ParseTyped(text, value)) a_ = value;
  display_.a = text;
}

void CorrectionWindow::Edit7Change(const std::string& text) {
  float value = 0;
  if (ParseTyped(text, value)) b_ = value;
  display_.b = text;
}

void CorrectionWindow::Button5Click() {
  ResetStatistics();
}

void CorrectionWindow::Button7Click() {
  timer1_ = false;
  for (int p = 0; p < 2; ++p) {
    x_[p] = y_[p] = 0;
    xTaken_[p] = yTaken_[p] = false;
    yText_[p].clear();
  }
  k_ = d_ = 0;
  display_.x1.clear();
  display_.x2.clear();
  ResetStatistics();
  StartState();
}

CorrectionClose CorrectionWindow::Button6Click() {
  timer1_ = timer2_ = false;
  return CorrectionClose::Exit;
}

CorrectionClose CorrectionWindow::Button3Click() {
  timer1_ = timer2_ = false;
  return buttons_.write ? CorrectionClose::Write : CorrectionClose::Exit;
}

}  // namespace ruvenset
