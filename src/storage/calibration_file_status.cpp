#include "storage/calibration_file_status.h"

namespace ruvenset {

TextMessage CalibrationFileMessage(CalibrationFileStatus status, const std::string& path) {
  using S = CalibrationFileStatus;
  const auto withPath = [&](int id) { return TextMessage{id, {TextArgument::Of(path)}}; };
  const auto withNumber = [](int id, int n) { return TextMessage{id, {TextArgument::Of(int64_t{n})}}; };
  switch (status) {
    case S::Ok:
    case S::NotFound:
      return {};
    case S::CannotOpen:
      return withPath(3102);
    case S::CannotCreate:
      return withPath(1244);
    case S::TooShort:
      return withPath(1246);
    case S::WriteFailed:
      return withPath(1245);
    case S::BadCheck:
      return {1149, {}};
    case S::PressureTosCountTooHigh:
      return withNumber(1169, 11);
    case S::PressureTableCountTooHigh:
      return {1194, {}};
    case S::PressureUnitInvalid:
      return {1140, {}};
    case S::TemperatureTosCountTooHigh:
      return withNumber(1172, 5);
    case S::TemperatureTableCountTooHigh:
      return {1195, {}};
    case S::DifferentialTosCountTooHigh:
      return withNumber(1196, 11);
    case S::DifferentialTableCountTooHigh:
      return {1197, {}};
    case S::DifferentialUnitInvalid:
      return {1198, {}};
    case S::NoDifferentialChannel:
      return {1162, {}};
    case S::NoCorrectionTable:
      return {1228, {}};
  }
  return {};
}

}  // namespace ruvenset
