#include "cli/cli_service_host.h"

#include <algorithm>
#include <cstring>

#include "cli/cli_stop.h"
#include "device/exchange.h"
#include "device/pipeline_state.h"
#include "link/frame.h"

namespace ruvenset::cli {

CliServiceHost::~CliServiceHost() {
  DisarmLastLeave();
}

void CliServiceHost::Arm() {
  if (!state_.port) return;
  const LinkSettings& link = state_.config.link;
  const Request leave = LeaveServiceRequest(state_.record, state_.record.currentPipeline);
  const int length = kMinFrameLength + static_cast<int>(leave.data.size());
  const int preambles = std::clamp(link.preambles, 0, kMaxPreambles);
  uint8_t transmission[kLastLeaveCapacity];
  std::memset(transmission, 0xFF, static_cast<size_t>(preambles));
  uint8_t* frame = transmission + preambles;
  std::memcpy(frame + 4, leave.data.data(), leave.data.size());
  BuildRequest(frame, leave.writeRequest, length, leave.command, 0, 0, link.address);
  ArmLastLeave(*state_.port, transmission, static_cast<size_t>(preambles + length), link.rtsKeying != 0,
               static_cast<int>(link.FirstByteWaitMs()));
}

ServiceResult CliServiceHost::ShowModal(ServiceOperations& window) {
  const bool entering = window.operation == kServiceEnter;
  if (entering) Arm();
  const ServiceResult result = clock_.ShowModal(window);
  // A leave that succeeded was accepted; an enter that failed on a refusal was not taken. An enter
  // that went unanswered may have been taken, and its leave follows through this host.
  if (entering ? result == ServiceResult::Failed && !window.enterUnanswered()
               : result == ServiceResult::Succeeded)
    DisarmLastLeave();
  return result;
}

}  // namespace ruvenset::cli
