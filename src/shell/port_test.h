#pragma once
#include <array>
#include <string>

#include "link/configuration.h"
#include "shell/connect_operation.h"

namespace ruvenset {

// Told about each slot the port test tries, and asked to wait between its steps.
class PortTestObserver {
 public:
  virtual ~PortTestObserver() = default;
  virtual void Trying(int slot) = 0;
  virtual void Pause(int milliseconds) = 0;
};

struct PortTestResult {
  std::array<bool, kComSlotCount> opened{};
  bool any() const;
};

// How long an opened port is held before it is closed, and the rest after closing it.
inline constexpr int kPortTestHoldMs = 500;

// Tries every slot's device in turn (COM1..COM8). A device that opens is held for a moment, closed,
// and the test rests as long again before the next slot, so that an adapter is never reopened at once.
PortTestResult RunPortTest(const Configuration& config, const PortOpener& opener, PortTestObserver& observer);

// Whether one device path opens (a path the technician has just typed into a slot); closes it at once.
bool ProbePort(const std::string& path, const PortOpener& opener);

}  // namespace ruvenset
