#include "app/procedures.h"

#include <memory>

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

void RegisterProcedures(TForm1& window, const MainWindowOptions& options) {
  RegisterVerificationProcedures(window, options.opener);
  RegisterCalibrationFileProcedures(window);
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
