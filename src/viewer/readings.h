#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/verification_file_reader.h"

namespace ruvenset {

// The readings of one channel of a verification data file, in file order, one array per field.
struct Readings {
  uint8_t channel = 0;
  int unit = 0;  // unit index of the channel's first record; every value is held in it
  std::vector<double> time;
  std::vector<float> value;
  std::vector<uint32_t> channelAdc;
  std::vector<uint16_t> ambientAdc;
  bool hasFiniteValue = false;
  float minValue = 0.0f;  // finite values only
  float maxValue = 0.0f;

  size_t size() const { return time.size(); }
};

// Loads the records of `channel` from the file: a first pass counts them and takes the first one's
// unit, a second copies them, converting values recorded in the other unit.
VerificationReadStatus LoadReadings(const std::string& path, uint8_t channel, Readings& out);

// The message the viewer shows for a failed load (empty for Ok). The file name is shown without folder.
std::string LoadFailureText(VerificationReadStatus status, const std::string& path);

}  // namespace ruvenset
