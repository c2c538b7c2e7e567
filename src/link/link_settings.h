#pragma once
#include <cstdint>

#include "link/speed_table.h"

namespace ruvenset {

// The first-byte wait value that stands for 220 ms; used only during the speed search, never saved.
inline constexpr int kSpeedSearchFirstByteWait = 100;

// The configured link: what the configuration file keeps and the link dialogs edit.
struct LinkSettings {
  int speedIndex = kDefaultSpeedIndex;  // into kSpeedTable
  int portIndex = 1;                    // slot 0..7 = COM1..COM8
  int firstByteWait = 2;                // seconds 1..20, or kSpeedSearchFirstByteWait
  int nextByteWait = 140;               // milliseconds 55..3000
  uint8_t attempts = 1;                 // 1..5
  int rtsKeying = 0;                    // nonzero: key RTS around each request
  int speedSearch = 1;                  // nonzero: search the speed on connect
  int preambles = 10;                   // 0..25
  uint8_t address = 1;                  // 1..254

  // How long an answer's first byte is awaited: the configured seconds, or 220 ms during the speed search.
  int64_t FirstByteWaitMs() const {
    return firstByteWait == kSpeedSearchFirstByteWait ? 220 : int64_t{firstByteWait} * 1000;
  }
};

// What the link learns from the flow computer during a run.
struct LinkRuntime {
  int preambleInRts = 1;  // the RTS hold covers the preambles too (set on connect, then by identification)
  int prePauseMs = 0;     // pause before every request; becomes 5 once a type 18 or 20 was identified
  int deviceType = -1;    // identified flow computer type, -1 before identification
};

}  // namespace ruvenset
