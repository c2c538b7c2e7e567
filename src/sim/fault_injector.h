#pragma once
#include <cstdint>
#include <random>
#include <vector>

namespace ruvenset::sim {

// Probabilities (0..1) of the faults put into the flow computer's answers.
struct FaultRates {
  double drop = 0.0;          // the answer is lost
  double corrupt = 0.0;       // one byte after the length byte is damaged (the check bytes then fail)
  double wrongAddress = 0.0;  // a whole, valid answer from the next address
  double noise = 0.0;         // 1..6 noise bytes before the start byte
};

// Draws the faults of each answer from its own generator: the same seed and the same answers give the
// same faults. Every answer takes the same number of draws whatever happens to it.
class FaultInjector {
 public:
  explicit FaultInjector(uint32_t seed) : random_(seed) {}
  FaultRates& rates() { return rates_; }
  // Every answer to requests with this command byte is lost, while the request still acts (-1: none):
  // a flow computer that goes silent at one exchange, for a Stop pressed in the middle of it.
  void SilenceCommand(int command) { silentCommand_ = command; }
  bool Silenced(uint8_t command) const { return silentCommand_ == command; }
  // Applies this answer's faults to the frame; false when the answer is lost.
  bool Apply(std::vector<uint8_t>& frame);

 private:
  double Uniform();

  FaultRates rates_;
  int silentCommand_ = -1;
  std::mt19937 random_;
};

}  // namespace ruvenset::sim
