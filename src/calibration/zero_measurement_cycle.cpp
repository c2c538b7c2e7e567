#include "calibration/zero_measurement_cycle.h"

#include "device/exchange.h"
#include "verification/measurement_reply.h"

namespace ruvenset {
namespace {

constexpr int kCounterAt = 6;

enum class Sent { Ok, Failed, Refused, Stopped, Abandoned };

Sent Send(ProgramState& state, Technician& technician, Request request, int needed) {
  request.answerData = needed;
  if (Exchange(state, technician, request) != LinkOk)
    return state.link.lastStopped() ? Sent::Stopped : Sent::Failed;
  return IsRefusal(state, request.command) ? Sent::Refused : Sent::Ok;
}

// Sends until the answer holds `needed` data bytes; a failure or refusal asks whether to try again
// (No abandons), a stop ends at once.
Sent SendAsking(ProgramState& state, Technician& technician, const Request& request, int needed) {
  for (;;) {
    const Sent sent = Send(state, technician, request, needed);
    if (sent == Sent::Ok || sent == Sent::Stopped) return sent;
    if (sent == Sent::Failed) {
      if (!technician.Confirm(state.Text(2195), state.Text(2196))) return Sent::Abandoned;
      continue;
    }
    ShowRefusal(state, technician);
    if (!technician.Confirm("", state.Text(2191))) return Sent::Abandoned;
  }
}

}  // namespace

CycleStep ReadMeasurementCycle(ProgramState& state, Technician& technician, int selector, int& lastCounter,
                               bool askOnFailure, CycleReading& out) {
  const int at = kCounterAt + selector;
  Request marker;
  marker.command = 0x1D;
  switch (askOnFailure ? SendAsking(state, technician, marker, at + 1)
                       : Send(state, technician, marker, at + 1)) {
    case Sent::Ok:
      break;
    case Sent::Stopped:
      return CycleStep::Stopped;
    case Sent::Abandoned:
      return CycleStep::Abandoned;
    default:
      return CycleStep::MarkerFailed;
  }
  const int counter = state.link.answer().data()[at];
  if (counter == lastCounter) return CycleStep::Unchanged;
  lastCounter = counter;
  state.link.clock().SleepFor(kCycleSettleNs);

  Request measure;
  measure.writeRequest = 1;
  measure.command = 0x0C;
  measure.data = {1, static_cast<uint8_t>(selector)};
  switch (askOnFailure ? SendAsking(state, technician, measure, kMeasurementReplySize)
                       : Send(state, technician, measure, kMeasurementReplySize)) {
    case Sent::Ok:
      break;
    case Sent::Stopped:
      return CycleStep::Stopped;
    case Sent::Abandoned:
      return CycleStep::Abandoned;
    case Sent::Refused:
      out.refusalCode = state.link.answer().data().empty() ? 0 : state.link.answer().data()[0];
      return CycleStep::Refused;
    case Sent::Failed:
      return CycleStep::MeasureFailed;
  }
  MeasurementReply reply;
  const std::span<const uint8_t> answer = state.link.answer().data();
  if (!ParseMeasurementReply(answer.data(), static_cast<int>(answer.size()), reply))
    return askOnFailure ? CycleStep::Abandoned : CycleStep::MeasureFailed;
  out.adc = reply.channelAdc;
  out.valid = reply.channelValid;
  out.value = reply.value;
  return CycleStep::Measured;
}

}  // namespace ruvenset
