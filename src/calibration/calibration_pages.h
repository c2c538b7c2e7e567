#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calibration/acquisition_window.h"

namespace ruvenset {

// The value-entry window TForm51 of a calibration point or a Тос point: the code it belongs to, the
// admissible range and the unit, and the proposed value.
struct PointValueEntry {
  std::string caption;
  std::string codeText;
  std::string rangeText;
  std::string unitText;
  float lower = 0;
  float upper = 0;
  std::string proposed;
  int maxLength = 9;
  std::string acceptText;
  std::string cancelText;
};

// The identification-code window TForm24: up to 10 digits, 1 .. 4294967295.
struct IdentificationCodeEntry {
  std::string caption;
  std::string label;
  std::string proposed;
  std::string acceptText;
  std::string cancelText;
};

// A point whose mean code did not move away from the previous point's code in the table's direction: the
// question whether to take it all the same (its message names both codes).
struct UnmovedPoint {
  std::string caption;
  std::string message;
  int pointNumber = 0;
  uint32_t code = 0;
  uint32_t previous = 0;
};

// The calibration's own windows as the technician sees them. The Qt windows, the CLI and scripted
// tests implement it; the shared windows, the file dialogs, the list window and the wizard pages come
// through the interfaces they already have.
class CalibrationPages {
 public:
  virtual ~CalibrationPages() = default;
  // TForm60 shown modally: its timer calls window.Tick() every kAcquisitionInterval ms, its reset button
  // window.BitBtn2Click(); it renders what they return. Returns the modal result: 1 next, 2 cancel.
  virtual int ShowMeasurementWindow(TForm60Logic& window) = 0;
  // Whether to take a point whose code did not move (No is the default: a forgotten input is the likely
  // cause).
  virtual bool ConfirmUnmovedPoint(const UnmovedPoint& point) = 0;
  // TForm51: a value the technician typed (the window keeps an entry outside the range), nullopt on cancel.
  virtual std::optional<float> AskValue(const PointValueEntry& entry) = 0;
  // TForm24 for the identification code; nullopt on cancel.
  virtual std::optional<uint32_t> AskIdentificationCode(const IdentificationCodeEntry& entry) = 0;
  // The flow computer's ADC channel parameter block, read-only.
  virtual void ShowAdcParameters(const std::string& caption, int selector,
                                 const std::vector<uint8_t>& block) = 0;
};

// Modal results of the measurement window.
inline constexpr int kMeasurementNext = 1;
inline constexpr int kMeasurementCancel = 2;

}  // namespace ruvenset
