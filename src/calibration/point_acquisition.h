#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calibration/acquisition_window.h"
#include "calibration/calibration_pages.h"
#include "session/calibration_image.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/calibration_editor_pages.h"

namespace ruvenset {

// The values of one calibration run that point acquisition reads and updates.
struct CalibrationRun {
  int kind = kCalibrationTemperature;  // section of the image: 0 pressure, 1 temperature, 2 differential
  int channelSelector = 1;             // sent with the measurement request
  int tosIndex = 0;                    // the Тос point whose table is taken
  uint32_t tosCode = 0;
  float tosValue = 0;
  int pointCounter = 0;
  uint32_t acceptedCode = 0;
  float reference = 0;  // mean reading of the reference transmitter, 0 without one
  bool unitsDiffer = false;
  int calibrationUnit = 0;         // the unit chosen for the reference instrument when units differ
  int barometricMode = 0;          // 1 adds, 2 subtracts the barometric pressure (pressure only)
  float barometric = 0;            // in the flow computer's pressure unit
  int referencePressureKind = -1;  // the reference measures absolute (0) or gauge (1) pressure; -1 not asked
  HartLink* hart = nullptr;
  std::string referenceUnit;         // unit name of the transmitter's reading after conversion
  std::string path;                  // the working calibration file
  std::vector<uint32_t> takenCodes;  // the codes of the current table's points, in the order taken
  // The current table is taken anew from its first point; its old points give way to the first new one,
  // so that a cancel before it keeps them.
  bool retakeTable = false;
};

// Whether a point's mean code moved away from the previous point's code (the last of `taken`) by more
// than `spread`, in the direction of the last two points when there are two.
bool PointCodeMoved(const std::vector<uint32_t>& taken, uint32_t code, uint32_t spread);

// What point acquisition talks through.
struct AcquisitionTools {
  ProgramState& state;
  Technician& technician;
  CalibrationPages& pages;
  CalibrationEditorPages& lists;  // the review list window
};

inline CalibrationSection SectionOfKind(int kind) {
  return static_cast<CalibrationSection>(kind);
}

// The range a point value is entered in (in the calibration unit), as printed and read back.
struct ValueBounds {
  float lower = 0;
  float upper = 0;
  std::string rangeText;
};
ValueBounds PointValueBounds(const ProgramState& state, const CalibrationRun& run);

// The factor from the flow computer's unit of the channel to the calibration unit (1 when they agree).
float CalibrationUnitFactor(const ProgramState& state, const CalibrationRun& run);

enum class MeasurementResult { Next, Cancelled };

// The measurement window in one mode until the technician takes its reading or cancels. In statistics
// mode Next is accepted only with codes in the window; the rounded mean becomes the accepted code (the
// Тос code in ambient mode) and, with a transmitter, the mean reading the reference reading.
[[nodiscard]] MeasurementResult RunMeasurementWindow(AcquisitionTools& tools, CalibrationRun& run,
                                                     AcquisitionMode mode, bool statistics);

// The value of the point with `code`, entered and confirmed, in the flow computer's unit and rounded to
// its displayed precision; nullopt when the technician cancelled. `correction`: the stored value is
// corrected (no barometric adjustment).
std::optional<float> EnterPointValue(AcquisitionTools& tools, const CalibrationRun& run, uint32_t code,
                                     float proposed, bool correction);

enum class TableResult { Ended, Cancelled };

// Takes the table of the current Тос point, point by point (at least two), sorts the kind's tables,
// shows them for review and correction and rewrites the working file after each review.
[[nodiscard]] TableResult AcquireTable(AcquisitionTools& tools, CalibrationRun& run);

// Stores the current Тос point's code and value in the section header; a Тос point that is already
// there keeps the count.
void StoreTosPoint(CalibrationImage& image, const ProgramState& state, const CalibrationRun& run);

// Sorts every used point table of the kind by code, each value moving with its code.
void SortPointTables(CalibrationImage& image, int kind, int lastTos);

}  // namespace ruvenset
