#pragma once
#include <QPointer>
#include <QWidget>

#include "calibration/calibration_pages.h"
#include "calibration/calibration_procedure.h"
#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "shell/windows/qt_technician.h"

namespace ruvenset {

// The calibration's own windows on the screen, modal over `owner` (or over the window that is modal at
// the time): TForm60, TForm51, the identification-code entry and the ADC parameter information window.
class QtCalibrationRunPages final : public CalibrationPages {
 public:
  QtCalibrationRunPages(QWidget* owner, const ProgramState& state) : owner_(owner), state_(state) {}

  int ShowMeasurementWindow(TForm60Logic& window) override;
  bool ConfirmUnmovedPoint(const UnmovedPoint& point) override;
  std::optional<float> AskValue(const PointValueEntry& entry) override;
  std::optional<uint32_t> AskIdentificationCode(const IdentificationCodeEntry& entry) override;
  void ShowAdcParameters(const std::string& caption, int selector,
                         const std::vector<uint8_t>& block) override;

 private:
  QWidget* Parent() const;

  QPointer<QWidget> owner_;
  const ProgramState& state_;
};

// The lines of the ADC parameter information window: the settings of the channel's inputs, decoded.
std::vector<std::string> AdcParameterLines(const ProgramState& state, int selector,
                                           const std::vector<uint8_t>& block);

// The calibration from a calibration item of the main menu (selector 0 pressure, 1 temperature, 2
// differential pressure, 3 lower and 4 upper differential pressure), every window modal over `owner`.
CalibrationResult CalibrateInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                     CalibrationSettings& settings, const PortOpener& opener, int selector);

// The General menu's identification-code item.
void ShowIdentificationCodeInWindows(ProgramState& state, QtTechnician& technician);

}  // namespace ruvenset
