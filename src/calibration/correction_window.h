#pragma once
#include <cstdint>
#include <string>

#include "calibration/slope_offset_block.h"
#include "calibration/zero_measurement_cycle.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/wall_clock.h"

namespace ruvenset {

// What the correction window works with, fixed before it opens.
struct CorrectionSetup {
  int selector = 0;  // 0 gas pressure, 2 differential pressure
  int points = 2;    // 1 or 2
  bool unitsDiffer = false;
  float unitFactor = 1;  // value in the calibration unit = value in the flow computer's unit x factor
  std::string unitName;  // of the calibration unit
  float rangeLower = 0;  // the channel's range in the calibration unit
  float rangeUpper = 0;
};

// Which controls of the window are usable.
struct CorrectionButtons {
  bool start = true;             // Button4 "СТАРТ"
  bool stop = false;             // Button1 "СТОП"
  bool calculate = false;        // Button2 "Расчет"
  bool write = false;            // Button3 "Запись"
  bool resetStatistics = false;  // Button5 "Обнулить статистику"
  bool reference = true;         // Edit4
  bool entries = false;          // the new coefficients A and B (Edit6, Edit7)
};

// The texts the window shows.
struct CorrectionDisplay {
  std::string a0, b0, a, b;
  std::string x1, x2;
  std::string referenceCaption;  // the entry group's caption, naming the point
  std::string reference;         // Edit4
  std::string range;
  std::string status;   // the status bar
  std::string message;  // a link failure or refusal of the last tick
  std::string count, time, code, value, mean, deviation;
};

enum class CorrectionClose { Exit, Write };

// The logic of the correction window TKorrekt: measures the channel point by point (СТАРТ, СТОП),
// takes the reference of each point, computes the new slope A and offset B from the old ones, and
// closes with Выход or Запись. Every value has its own taken flag: 0 is a valid measured or reference
// value (a gauge at atmosphere, a zero differential pressure).
class CorrectionWindow {
 public:
  static constexpr int kTimer1Ms = 450;
  static constexpr int kTimer2Ms = 500;

  CorrectionWindow(ProgramState& state, Technician& technician, WallClock& wallClock,
                   const CorrectionSetup& setup, const ConstantsBlock& block);

  // Shows A0 and B0 from the block and the reference range.
  void FormActivate();
  // СТАРТ: starts the measurement of the point being taken, with fresh statistics.
  void Button4Click();
  // One measurement tick (Timer1); returns the interval to the next one.
  int Timer1Timer();
  // СТОП: takes the mean as the measured value of the point being taken; the reference entry then
  // belongs to that point. A measurement that waited for its answer was ended by the stop, which this
  // uses up, so that none is left over for a later exchange.
  void Button1Click();
  // The reference entry was left with this text: the reference of the point being taken.
  void Edit4Exit(const std::string& text);
  // Supervision (Timer2); true when the window gave a warning and started over.
  bool Timer2Timer();
  // Расчет.
  void Button2Click();
  // The new coefficients typed by hand.
  void Edit6Change(const std::string& text);
  void Edit7Change(const std::string& text);
  // Обнулить статистику.
  void Button5Click();
  // Отмена: back to the start state with nothing taken.
  void Button7Click();
  // Выход and Запись: both timers stop and the window closes.
  CorrectionClose Button6Click();
  CorrectionClose Button3Click();

  bool timer1Running() const { return timer1_; }
  bool timer2Running() const { return timer2_; }
  int firstInterval() const { return 100; }
  const CorrectionButtons& buttons() const { return buttons_; }
  const CorrectionDisplay& display() const { return display_; }
  const CorrectionSetup& setup() const { return setup_; }
  int pointBeingTaken() const;  // 0 or 1
  // The point whose reference the entry holds, chosen at СТАРТ and СТОП: the first point up to the one
  // being measured (or just taken) that has no reference yet, else that point. A point taken with its
  // reference typed beforehand hands the entry on to the next point.
  int referencePoint() const { return referencePoint_; }
  uint32_t count() const { return count_; }
  float mean() const { return mean_; }
  bool measuredTaken(int point) const { return xTaken_[point]; }
  bool referenceTaken(int point) const { return yTaken_[point]; }
  float measured(int point) const { return x_[point]; }
  float reference(int point) const { return y_[point]; }
  float a0() const { return a0_; }
  float b0() const { return b0_; }
  float a() const { return a_; }
  float b() const { return b_; }
  float k() const { return k_; }
  float d() const { return d_; }

 private:
  void StartState();
  void ResetStatistics();
  // Gives the reference entry to the first point up to `current` without a reference, else to
  // `current`: its caption, and its reference if one was typed.
  void GiveReferenceTo(int current);
  // Why Расчет computed nothing: the first point that lacks its measurement or its reference.
  std::string MissingForCalculation() const;
  void Measure(const CycleReading& reading);
  bool EqualPoints() const;

  ProgramState& state_;
  Technician& technician_;
  WallClock& wallClock_;
  CorrectionSetup setup_;
  ConstantsBlock block_;
  CorrectionButtons buttons_;
  CorrectionDisplay display_;
  bool timer1_ = false;
  bool timer2_ = false;
  int lastCounter_ = 255;
  int referencePoint_ = 0;
  float x_[2] = {0, 0};
  float y_[2] = {0, 0};
  bool xTaken_[2] = {false, false};
  bool yTaken_[2] = {false, false};
  std::string yText_[2];  // each reference as it was typed
  float a0_ = 0, b0_ = 0, a_ = 0, b_ = 0, k_ = 0, d_ = 0;
  double sum_ = 0;
  uint32_t count_ = 0;
  float mean_ = 0;
  float largest_ = 0;
};

}  // namespace ruvenset
