#include <vector>

#include "common/crc16.h"
#include "fuzz_targets.h"
#include "link/link.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"

namespace ruvenset::fuzz {
namespace {

// The one exchange of the target: a read (command 0x0C) or a write without data bytes to address 1.
LinkAnswer TransactOnce(Link& link, bool write) {
  LinkRequest request;
  request.kind = write ? RequestKind::Write : RequestKind::Read;
  request.command = 0x0C;
  return link.Transact(request);
}

// The line bytes with the CRC of the first frame in them made right, so that the fuzzer also reaches
// what the link checks after the CRC.
std::vector<uint8_t> WithFirstFrameCrc(std::vector<uint8_t> line) {
  for (size_t start = 0; start + 2 < line.size(); ++start) {
    if (line[start] != 0x55 && line[start] != 0x66) continue;
    const size_t length = line[start + 2];
    if (length >= 6 && start + length <= line.size()) StoreCrc16(line.data() + start, length - 2);
    break;
  }
  return line;
}

}  // namespace

// Any bytes on the line end in a link status; an accepted answer is a whole frame of the command.
// Bit 0 of the first input byte asks for a write request, bit 1 for the first frame's CRC made right.
int FuzzTransactResponse(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool write = data[0] & 1;
  std::vector<uint8_t> line(data + 1, data + size);
  if (data[0] & 2) line = WithFirstFrameCrc(std::move(line));
  VirtualLinkClock clock;
  LinkSettings settings;
  settings.attempts = 1;
  settings.preambles = 0;
  LoopbackPort port(clock);
  port.SetPeer([&](const uint8_t*, size_t) { port.Deliver(line, 1'000'000, 100'000); });
  Link link(settings, clock);
  link.Attach(&port);
  const LinkAnswer answer = TransactOnce(link, write);
  const LinkStatus status = answer.status;
  Require(status >= LinkOk && status <= LinkReadFailed && status != LinkEchoRejected);
  if (status == LinkOk) {
    const std::span<const uint8_t> frame = answer.response.frame();
    Require(frame.size() >= 6 && frame.size() <= line.size());
    Require(answer.response.command() == 0x8C || (write && answer.response.command() == 0x0C));
  }
  return 0;
}

}  // namespace ruvenset::fuzz
