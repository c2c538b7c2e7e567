#pragma once
#include <cstdint>
#include <string>

#include "storage/text_message.h"

namespace ruvenset {

// Results of reading, checking and writing a calibration parameter file; each names its message.
enum class CalibrationFileStatus : uint8_t {
  Ok = 0,
  NotFound,                       // the chosen file does not exist: ends without a message
  CannotOpen,                     // 3102 with the path
  TooShort,                       // 1246 with the path
  BadCheck,                       // 1149: the check bytes do not match
  PressureTosCountTooHigh,        // 1169 with 11
  PressureTableCountTooHigh,      // 1194
  PressureUnitInvalid,            // 1140
  TemperatureTosCountTooHigh,     // 1172 with 5
  TemperatureTableCountTooHigh,   // 1195
  DifferentialTosCountTooHigh,    // 1196 with 11
  DifferentialTableCountTooHigh,  // 1197
  DifferentialUnitInvalid,        // 1198
  NoDifferentialChannel,          // 1162: the editor needs a model with a differential-pressure channel
  NoCorrectionTable,              // 1228: the editor needs a software version above 10
  CannotCreate,                   // 1244 with the path
  WriteFailed,                    // 1245 with the path
};

// The language text (and its argument) that reports the status; textId 0 for Ok and NotFound.
TextMessage CalibrationFileMessage(CalibrationFileStatus status, const std::string& path);

}  // namespace ruvenset
