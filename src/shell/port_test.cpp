#include "shell/port_test.h"

#include <memory>

#include "link/com_slots.h"

namespace ruvenset {

bool PortTestResult::any() const {
  for (bool o : opened) {
    if (o) return true;
  }
  return false;
}

bool ProbePort(const std::string& path, const PortOpener& opener) {
  if (path.empty()) return false;
  std::unique_ptr<SerialPort> port;
  return opener(path, port).error == PortOpenError::None && port != nullptr;
}

PortTestResult RunPortTest(const Configuration& config, const PortOpener& opener,
                           PortTestObserver& observer) {
  PortTestResult result;
  for (int slot = 0; slot < kComSlotCount; ++slot) {
    observer.Trying(slot);
    const std::string path = ComSlotPath(config, slot);
    if (path.empty()) continue;
    std::unique_ptr<SerialPort> port;
    if (opener(path, port).error != PortOpenError::None || !port) continue;
    result.opened[slot] = true;
    observer.Pause(kPortTestHoldMs);
    port.reset();
    observer.Pause(kPortTestHoldMs);
  }
  return result;
}

}  // namespace ruvenset
