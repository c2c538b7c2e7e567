#pragma once
#include <array>

#include "link/link.h"

namespace ruvenset {

// Told which port and speed a link check is trying, for the status bar.
class ConnectObserver {
 public:
  virtual ~ConnectObserver() = default;
  virtual void Trying(int portNumber, int bitsPerSecond) = 0;
};

// The link check: command 2 to the configured address; an answer with command byte 0xFF counts too.
LinkStatus ConnectExchange(Link& link);

// Speed indices in the order the speed search tries them: the configured one, then 115200 bit/s down
// to 300 bit/s without it, then the configured one once more.
std::array<int, kSpeedCount + 1> SpeedSearchOrder(int configuredIndex);

// Finds the flow computer on the open port: with the speed search on, single tries with a 220 ms
// first-byte wait at each speed of the search order until one answers (the speed found becomes the
// configured one); otherwise one link check at the configured speed. The configured first-byte wait,
// attempts and (on failure) speed are restored. Returns the status of the last try.
LinkStatus FindFlowComputer(Link& link, ConnectObserver* observer);

}  // namespace ruvenset
