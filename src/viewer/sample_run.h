#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/verification_record.h"

namespace ruvenset {

// A made-up verification run for demonstrations, screenshots and timing: readings every `intervalMs`
// around `level` with noise of about `noise`, the channel ADC code following the value and the ambient
// ADC code drifting slowly. The same settings always give the same file.
struct SampleRunSettings {
  uint8_t channel = kRecordChannelTemperature;
  uint8_t unit = 0;
  size_t count = 300;
  LocalDateTime start{2026, 3, 12, 10, 15, 0, 0};
  int intervalMs = 1000;
  float level = 20.0f;
  float noise = 0.01f;
  uint32_t seed = 1;
};

// Reading i of the run.
VerificationRecord SampleReading(const SampleRunSettings& settings, size_t i);

// Writes the magic and the run's readings; false when the file cannot be written.
bool WriteSampleRun(const std::string& path, const SampleRunSettings& settings);

}  // namespace ruvenset
