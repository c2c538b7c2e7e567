#include "sim/fault_injector.h"

#include "common/crc16.h"
#include "link/frame.h"

namespace ruvenset::sim {

double FaultInjector::Uniform() {
  return static_cast<double>(random_() >> 8) / 16777216.0;
}

bool FaultInjector::Apply(std::vector<uint8_t>& frame) {
  const double drop = Uniform(), wrong = Uniform(), corrupt = Uniform(), noise = Uniform();
  const uint32_t position = random_(), flip = random_(), noiseCount = random_(), noiseSeed = random_();
  if (drop < rates_.drop || frame.size() < static_cast<size_t>(kMinFrameLength)) return false;
  if (wrong < rates_.wrongAddress) {
    frame[1] = static_cast<uint8_t>(frame[1] + 1);
    StoreCrc16(frame.data(), frame.size() - 2);
  }
  if (corrupt < rates_.corrupt) {
    const size_t at = 3 + position % (frame.size() - 3);
    frame[at] ^= static_cast<uint8_t>(1 + flip % 255);
  }
  if (noise < rates_.noise) {
    std::mt19937 bytes(noiseSeed);
    std::vector<uint8_t> prefix(1 + noiseCount % 6);
    for (uint8_t& b : prefix) {
      do {
        b = static_cast<uint8_t>(bytes());
      } while (b == kResponseStartA || b == kResponseStartB);
    }
    frame.insert(frame.begin(), prefix.begin(), prefix.end());
  }
  return true;
}

}  // namespace ruvenset::sim
