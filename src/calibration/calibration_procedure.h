#pragma once
#include <string>

#include "calibration/calibration_pages.h"
#include "device/service_operations.h"
#include "link/port_open.h"
#include "storage/calibration_tools.h"
#include "verification/hart_link.h"
#include "verification/verification_pages.h"

namespace ruvenset {

// What a run remembers from one calibration to the next.
struct CalibrationSettings {
  bool pollReference = false;
  TransmitterChoice transmitter;
  float barometric = 0;  // flow computer's pressure unit; 0 until the technician enters one
};

// The windows and services a calibration talks through: the calibration parameter tools (the program's
// state with its calibration image, the shared windows, the viewer's list and file dialogs), the
// calibration's own windows, the verification's wizard pages (substitute value, reference transmitter),
// the service operations window and the opener of a HART modem's port.
struct CalibrationProcedureTools {
  CalibrationTools& files;
  CalibrationPages& pages;
  VerificationPages& wizard;
  ServiceWindowHost& serviceHost;
  PortOpener opener;
};

enum class CalibrationResult {
  Finished,           // at least one Тос point was taken and saved, and the technician ended
  Cancelled,          // a page or window was cancelled (service mode left if it was entered)
  Abandoned,          // a read or the file failed, or the channel cannot be calibrated
  ForeignFile,        // the file belongs to another flow computer or to other channel parameters
  ServiceModeFailed,  // entering service mode failed
};

// Calibration selectors of the menu items: 0 pressure, 1 temperature, 2 differential pressure, 3 lower
// and 4 upper differential pressure.
inline constexpr int kCalibrationSelectorCount = 5;

// The calibration of one channel of pipeline 1: a new calibration or one continued from a file, Тос
// point by Тос point, each saved to the calibration file; service mode is entered for each Тос point and
// left on every way out.
[[nodiscard]] CalibrationResult Calibrate(CalibrationProcedureTools& tools, CalibrationSettings& settings,
                                          int calibrationSelector);

}  // namespace ruvenset
