#include "link/connect.h"

namespace ruvenset {
namespace {

bool ConfigureSpeed(Link& link, int speedIndex, ConnectObserver* observer) {
  const int bps = kSpeedTable[speedIndex];
  if (observer) observer->Trying(link.settings().portIndex + 1, bps);
  return link.port()->Configure({bps, Parity::None});
}

}  // namespace

LinkStatus ConnectExchange(Link& link) {
  LinkRequest request;
  request.address = static_cast<uint8_t>(link.settings().address);
  request.command = 0x02;
  request.accept = AcceptMode::AnswerOrUnknownCommand;
  return link.Transact(request).status;
}

std::array<int, kSpeedCount + 1> SpeedSearchOrder(int configuredIndex) {
  std::array<int, kSpeedCount + 1> order{};
  size_t n = 0;
  order[n++] = configuredIndex;
  for (int i = kSpeedCount - 1; i >= 0; --i) {
    if (i != configuredIndex) order[n++] = i;
  }
  order[n] = configuredIndex;
  return order;
}

LinkStatus FindFlowComputer(Link& link, ConnectObserver* observer) {
  LinkSettings& settings = link.settings();
  link.runtime().preambleInRts = 1;
  if (settings.speedIndex < 0 || settings.speedIndex >= kSpeedCount) settings.speedIndex = kDefaultSpeedIndex;
  if (!settings.speedSearch) {
    if (!ConfigureSpeed(link, settings.speedIndex, observer)) return LinkWriteFailed;
    return ConnectExchange(link);
  }

  const int savedWait = settings.firstByteWait;
  const uint8_t savedAttempts = settings.attempts;
  const int configured = settings.speedIndex;
  settings.firstByteWait = kSpeedSearchFirstByteWait;
  LinkStatus status = LinkNoAnswer;
  for (const int index : SpeedSearchOrder(configured)) {
    settings.attempts = 1;
    status = ConfigureSpeed(link, index, observer) ? ConnectExchange(link) : LinkWriteFailed;
    settings.attempts = savedAttempts;
    if (status == LinkOk) {
      settings.speedIndex = index;
      break;
    }
    if (link.lastStopped()) break;  // the technician ended the search
  }
  settings.firstByteWait = savedWait;
  if (status != LinkOk) {
    settings.speedIndex = configured;
    link.port()->Configure({kSpeedTable[configured], Parity::None});
  }
  return status;
}

}  // namespace ruvenset
