#include <memory>

#include "fuzz_targets.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"
#include "verification/hart_frame.h"
#include "verification/hart_link.h"

namespace ruvenset::fuzz {

int FuzzHartResponse(const uint8_t* data, size_t size) {
  if (size < 1 + kHartIdentitySize) return 0;
  constexpr int kCommands[] = {kHartReadIdentity, kHartReadPrimary, kHartReadVariables, kHartSetPrimaryZero,
                               kHartResetZero};
  const int command = kCommands[(data[0] & 0x0F) % 5];
  const int channelKind = (data[0] >> 4) & 1;
  const int type = (data[0] >> 5) & 1 ? kTransmitter3095 : kTransmitter3051;

  VirtualLinkClock clock;
  LinkSettings settings;
  HartLink link(clock, settings);
  auto port = std::make_unique<LoopbackPort>(clock);
  LoopbackPort* line = port.get();
  const uint8_t* answer = data + 1 + kHartIdentitySize;
  const size_t answerSize = size - 1 - kHartIdentitySize;
  line->SetPeer([&](const uint8_t*, size_t) { line->Deliver(answer, answerSize, 1'000'000, 100'000); });
  link.AttachOwn(std::move(port));
  link.SetTarget(1, type, 0);
  link.SetIdentity(data + 1);

  const int status = link.Exchange(command, channelKind);
  Require(status >= kHartOk && status <= kHartWrongAddress);
  return 0;
}

}  // namespace ruvenset::fuzz
