#include "calibration/windows/qt_calibration_run_pages.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>

#include "calibration/identification_code.h"
#include "calibration/windows/identification_code_form.h"
#include "calibration/windows/measurement_window.h"
#include "device/windows/information_window.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "storage/adc_parameters.h"
#include "storage/windows/qt_calibration_pages.h"
#include "verification/windows/qt_verification_pages.h"
#include "verification/windows/service_window.h"
#include "verification/windows/start_pages.h"

namespace ruvenset {

QWidget* QtCalibrationRunPages::Parent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return owner_;
}

int QtCalibrationRunPages::ShowMeasurementWindow(TForm60Logic& window) {
  return OnUiThread([&] {
    TForm60 shown(Parent(), state_, window);
    return shown.Run();
  });
}

bool QtCalibrationRunPages::ConfirmUnmovedPoint(const UnmovedPoint& point) {
  return OnUiThread([&] {
    TOKBottomDlg window(Parent(), Q(point.caption), Q(point.message), Q(state_.Text(1773)),
                        Q(state_.Text(1772)));
    window.MakeNoTheDefault();
    return window.Answer();
  });
}

std::optional<float> QtCalibrationRunPages::AskValue(const PointValueEntry& entry) {
  return OnUiThread([&] {
    NumberRequest request;
    request.caption = entry.caption;
    request.prompt = state_.Text(2242) + entry.codeText;
    request.rangeText = entry.rangeText + " " + entry.unitText;
    request.lower = entry.lower;
    request.upper = entry.upper;
    request.proposed = entry.proposed;
    request.maxLength = entry.maxLength;
    request.filter = NumberFilter::DigitsPointMinus;
    request.acceptText = entry.acceptText;
    request.cancelText = entry.cancelText;
    TForm51 shown(Parent(), request);
    return shown.AskNumber();
  });
}

std::optional<uint32_t> QtCalibrationRunPages::AskIdentificationCode(const IdentificationCodeEntry& entry) {
  return OnUiThread([&] {
    IdentificationCodeForm shown(Parent(), entry);
    return shown.AskCode();
  });
}

// The settings of the channel's ADC inputs, decoded from the block the calibration read.
std::vector<std::string> AdcParameterLines(const ProgramState& state, int selector,
                                           const std::vector<uint8_t>& block) {
  const int model = state.record.id.type;
  AdcBlocks blocks;
  const bool second = selector == kCalibrationDifferential && HasSecondAdcBlock(model);
  std::copy_n(block.begin(), std::min(block.size(), sizeof blocks.main),
              second ? blocks.second : blocks.main);
  std::vector<std::string> lines;
  for (const AdcRow& row : AdcRows(model, selector))
    lines.push_back(AdcRowText(blocks, model, row, state.texts));
  return lines;
}

void QtCalibrationRunPages::ShowAdcParameters(const std::string& caption, int selector,
                                              const std::vector<uint8_t>& block) {
  OnUiThread([&] {
    TNSHP shown(Parent(), Q(caption), AdcParameterLines(state_, selector, block));
    shown.exec();
  });
}

CalibrationResult CalibrateInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                     CalibrationSettings& settings, const PortOpener& opener, int selector) {
  QtCalibrationPages lists(owner);
  CalibrationTools files{state, technician, technician, technician, lists, lists};
  QtCalibrationRunPages pages(owner, state);
  QtVerificationPages wizard(owner, state, technician);
  QtServiceWindowHost serviceHost(owner);
  CalibrationProcedureTools tools{files, pages, wizard, serviceHost, opener};
  return Calibrate(tools, settings, selector);
}

void ShowIdentificationCodeInWindows(ProgramState& state, QtTechnician& technician) {
  (void)ShowIdentificationCode(state, technician);
}

}  // namespace ruvenset
