#include "app/procedures.h"

#include <memory>

#include "calibration/windows/qt_calibration_run_pages.h"
#include "calibration/windows/zero_correction_procedures.h"
#include "calibration/windows/qt_save_calibration_pages.h"
#include "storage/windows/adc_parameter_windows.h"
#include "storage/windows/calibration_procedures.h"
#include "storage/windows/report_window.h"
#include "verification/channel_ranges.h"
#include "verification/windows/qt_verification_pages.h"

namespace ruvenset {

void RegisterVerificationProcedures(TForm1& window, const PortOpener& opener) {
  auto settings = std::make_shared<VerificationSettings>();
  const std::pair<MenuItem, int> items[] = {{MenuItem::N20, kKindTemperature},
                                            {MenuItem::N10, kKindPressure},
                                            {MenuItem::N5, kKindDiffPressure},
                                            {MenuItem::N38, kKindUpperDiffPressure},
                                            {MenuItem::N42, kKindLowerDiffPressure}};
  for (const auto& [item, kind] : items) {
    window.SetProcedure(item, [&window, settings, opener, kind = kind] {
      VerifyChannelInWindows(&window, window.state(), window.technician(), *settings, opener, kind);
    });
  }
}

void RegisterCalibrationFileProcedures(TForm1& window) {
  struct Items {
    MenuItem view;
    MenuItem edit;
    CalibrationSection section;
  };
  const Items items[] = {{MenuItem::N15, MenuItem::N16, CalibrationSection::Pressure},
                         {MenuItem::N22, MenuItem::N23, CalibrationSection::Temperature},
                         {MenuItem::N26, MenuItem::N27, CalibrationSection::DifferentialPressure},
                         {MenuItem::N34, MenuItem::N35, CalibrationSection::CorrectionMultipliers}};
  for (const auto& i : items) {
    window.SetProcedure(i.view, [&window, section = i.section] {
      ViewCalibrationParameters(&window, window.state(), window.technician(), section);
    });
    window.SetProcedure(i.edit, [&window, section = i.section] {
      EditCalibrationParameters(&window, window.state(), window.technician(), section);
    });
  }
}

void RegisterCalibrationProcedures(TForm1& window, const PortOpener& opener) {
  auto settings = std::make_shared<CalibrationSettings>();
  const std::pair<MenuItem, int> items[] = {
      {MenuItem::N21, 1}, {MenuItem::N14, 0}, {MenuItem::N25, 2}, {MenuItem::N39, 4}, {MenuItem::N43, 3}};
  for (const auto& [item, selector] : items) {
    window.SetProcedure(item, [&window, settings, opener, selector = selector] {
      (void)CalibrateInWindows(&window, window.state(), window.technician(), *settings, opener, selector);
    });
  }
  window.SetProcedure(MenuItem::N9,
                      [&window] { ShowIdentificationCodeInWindows(window.state(), window.technician()); });
}

void RegisterZeroAndCorrectionProcedures(TForm1& window) {
  const std::pair<MenuItem, ZeroItem> zeros[] = {{MenuItem::N36, ZeroItem::Pressure},
                                                 {MenuItem::N28, ZeroItem::DiffPressure},
                                                 {MenuItem::N40, ZeroItem::UpperDiffPressure},
                                                 {MenuItem::N44, ZeroItem::LowerDiffPressure}};
  for (const auto& [item, zero] : zeros) {
    window.SetProcedure(item, [&window, zero = zero] {
      (void)ZeroInWindows(&window, window.state(), window.technician(), zero);
    });
  }
  window.SetProcedure(MenuItem::N18,
                      [&window] { (void)CorrectInWindows(&window, window.state(), window.technician(), 0); });
  window.SetProcedure(MenuItem::N29,
                      [&window] { (void)CorrectInWindows(&window, window.state(), window.technician(), 1); });
  window.SetProcedure(MenuItem::N31,
                      [&window] { (void)SlopeOffsetInWindows(window.state(), window.technician()); });
}

void RegisterProcedures(TForm1& window, const MainWindowOptions& options) {
  RegisterVerificationProcedures(window, options.opener);
  RegisterCalibrationFileProcedures(window);
  RegisterCalibrationProcedures(window, options.opener);
  RegisterZeroAndCorrectionProcedures(window);
  window.SetProcedure(MenuItem::N7,
                      [&window] { SaveCalibrationInWindows(&window, window.state(), window.technician()); });
  // This edition serves the temperature channel: its ADC settings and measurement parameters.
  window.SetProcedure(MenuItem::N2,
                      [&window] { AdcParametersInWindows(&window, window.state(), window.technician(), 1); });
  window.SetProcedure(MenuItem::N30, [&window] {
    MeasurementParametersInWindows(&window, window.state(), window.technician(), 1);
  });
  window.SetProcedure(MenuItem::N8,
                      [&window] { CalibrationUnitsInWindows(&window, window.state(), window.technician()); });
  window.SetProcedure(MenuItem::N45, [&window] {
    ViewCalibrationReportInWindows(&window, window.state(), window.technician());
  });
}

}  // namespace ruvenset
