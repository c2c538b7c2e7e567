#pragma once
#include <cstdint>

namespace ruvenset::sim {

// The flow computer that fcsim, the demo and the tests serve unless told otherwise. docs/simulator.md
// explains each choice; nothing else in the code repeats these values.
inline constexpr int kDefaultModel = 16;
inline constexpr int kDefaultVersion = 35;
inline constexpr int kDefaultRevision = 2;
inline constexpr int kDefaultAddress = 1;
inline constexpr int kDefaultSpeed = 1200;
inline constexpr int kDefaultPipelines = 2;
inline constexpr int kMaxPipelines = 10;
inline constexpr const char* kDefaultPassword = "1234";
inline constexpr uint32_t kDefaultIdentificationCode = 160123;

// A pipeline changes between normal work and service mode this long after the request.
inline constexpr int64_t kDefaultServiceDelayMs = 1500;
// Every channel finishes one conversion per measurement cycle; the markers count the cycles.
inline constexpr int64_t kMeasurementCycleMs = 1000;
// Random spread of the 24-bit ADC codes from one cycle to the next, in codes (0: steady codes).
inline constexpr int kDefaultCodeJitter = 12;

}  // namespace ruvenset::sim
