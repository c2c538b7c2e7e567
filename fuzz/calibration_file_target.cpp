#include <cstring>
#include <memory>

#include "fuzz_targets.h"
#include "memory_file.h"
#include "storage/calibration_checks.h"
#include "storage/calibration_file.h"

namespace ruvenset::fuzz {

namespace {

// A failed read leaves the image exactly as it was; a passed one leaves a section that passes the
// checks every later reader applies.
void ReadEverySection(const uint8_t* data, size_t size) {
  const MemoryFile file(data, size);
  for (const CalibrationSection section :
       {CalibrationSection::Pressure, CalibrationSection::Temperature,
        CalibrationSection::DifferentialPressure, CalibrationSection::CorrectionMultipliers}) {
    for (const bool editorChecks : {false, true}) {
      auto image = std::make_unique<CalibrationImage>();
      std::memset(static_cast<void*>(image.get()), 0x5A, sizeof(CalibrationImage));
      const auto before = std::make_unique<CalibrationImage>(*image);
      CalibrationReadRequest request;
      request.section = section;
      request.editorChecks = editorChecks;
      request.upperFlowLimit = 1000.0f;
      const CalibrationFileStatus status = ReadCalibrationFile(file.path(), request, *image);
      if (status == CalibrationFileStatus::Ok) {
        Require(CheckSection(*image, section) == CalibrationFileStatus::Ok);
      } else {
        Require(std::memcmp(image.get(), before.get(), sizeof(CalibrationImage)) == 0);
      }
    }
  }
}

}  // namespace

// The file as it is, and with its check bytes made right, so that the fuzzer also reaches the
// checks behind them.
int FuzzCalibrationFile(const uint8_t* data, size_t size) {
  ReadEverySection(data, size);
  if (size < kCalibrationImageSize) return 0;
  auto image = std::make_unique<CalibrationImage>();
  std::memcpy(image->Bytes(), data, kCalibrationImageSize);
  image->StoreCheckBytes();
  ReadEverySection(image->Bytes(), kCalibrationImageSize);
  return 0;
}

}  // namespace ruvenset::fuzz
