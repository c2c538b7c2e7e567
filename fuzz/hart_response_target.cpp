#include <memory>
#include <vector>

#include "fuzz_targets.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"
#include "verification/hart_frame.h"
#include "verification/hart_link.h"

namespace ruvenset::fuzz {
namespace {

// The line bytes with the check byte of the first response made right (the XOR of the frame), so that
// the fuzzer also reaches what the link checks behind it.
std::vector<uint8_t> WithFirstCheckByte(std::vector<uint8_t> line) {
  for (size_t start = 1; start < line.size(); ++start) {
    if (line[start - 1] != 0xFF || (line[start] != kHartShortResponse && line[start] != kHartLongResponse))
      continue;
    const size_t header = line[start] == kHartLongResponse ? 8 : 4;
    if (start + header > line.size()) break;
    const size_t check = start + header + line[start + header - 1];
    if (check < line.size()) line[check] = HartCheckByte(line.data() + start, check - start);
    break;
  }
  return line;
}

}  // namespace

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
  std::vector<uint8_t> answer(data + 1 + kHartIdentitySize, data + size);
  if (data[0] & 0x40) answer = WithFirstCheckByte(std::move(answer));
  line->SetPeer([&](const uint8_t*, size_t) { line->Deliver(answer, 1'000'000, 100'000); });
  link.AttachOwn(std::move(port));
  link.SetTarget(1, type, 0);
  link.SetIdentity(data + 1);

  const int status = link.Exchange(command, channelKind);
  Require(status >= kHartOk && status <= kHartWrongAddress);
  return 0;
}

}  // namespace ruvenset::fuzz
