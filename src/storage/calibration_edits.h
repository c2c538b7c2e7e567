#pragma once
#include <cstdint>

#include "session/calibration_image.h"
#include "storage/write_back_checks.h"

namespace ruvenset {

// The changes the editor makes to a section of the calibration image. Each refuses (false, nothing
// changed) what would leave the section's capacity or name an entry that does not exist.

// Appends a Тос point with the channel's default table: codes 0 and 8388607, values 0.8564 and 55.0
// (pressure), −45.0 and 20.0 (temperature), 0.95 and 13000.0 (differential pressure).
bool AppendTosPoint(CalibrationImage& image, CalibrationSection section, int32_t code, float value);
// Removes Тос point k: the following ones move up by one, each with its table.
bool DeleteTosPoint(CalibrationImage& image, CalibrationSection section, int k);
bool AppendPoint(CalibrationImage& image, CalibrationSection section, int k, int32_t code, float value);
bool DeletePoint(CalibrationImage& image, CalibrationSection section, int k, int i);
bool ChangePoint(CalibrationImage& image, CalibrationSection section, int k, int i, int32_t code,
                 float value);
// Adds offset to the value of every point of Тос point k's table.
bool ShiftTable(CalibrationImage& image, CalibrationSection section, int k, float offset);

bool AppendCorrectionPoint(CalibrationImage& image, float flow, float multiplier);
bool DeleteCorrectionPoint(CalibrationImage& image, int i);
bool ChangeCorrectionPoint(CalibrationImage& image, int i, float flow, float multiplier);

// The check before an edited channel section is saved: in every table, codes within 24 bits and codes
// and values strictly increasing (the first failure; point and Тос point counted from 1).
WriteBackCheck CheckTablesBeforeSaving(const CalibrationImage& image, CalibrationSection section);

}  // namespace ruvenset
