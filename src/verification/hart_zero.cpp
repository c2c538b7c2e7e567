#include "verification/hart_zero.h"

#include "common/device_models.h"

#include <cstring>

#include "device/exchange.h"
#include "verification/hart_link.h"
#include "verification/transmitter_link.h"

namespace ruvenset {
namespace {

constexpr int kSensorKinds = 100;  // configuration block data byte 100 + pipeline index
constexpr int kTransmitterIdentity[2] = {90, 95};
constexpr int kRelayRequestLength = 31;

bool ZeroesDirectly(int deviceType) {
  return ModelOf(deviceType).zeroesDirectly;
}

const uint8_t* IdentityOf(const ConnectionRecord& record, int transmitter) {
  return record.configuration + kTransmitterIdentity[transmitter == 2 ? 1 : 0];
}

void ShowOutcome(const ProgramState& state, Technician& technician, int text) {
  const int caption = state.record.id.type == 9 ? 2871 : 2694;
  technician.ShowMessageWindow(state.Text(caption), state.Text(text), state.Text(2279));
}

HartZeroResult ZeroDirectly(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                            ServiceWindowHost& serviceHost, int transmitter) {
  if (RunServiceOperation(state, technician, passwords, serviceHost, kServiceEnter, 1, state.Text(2202)) !=
      ServiceResult::Succeeded)
    return HartZeroResult::Failed;
  HartZeroResult result = HartZeroResult::Failed;
  {
    HartLink link(state.link.clock(), state.config.link);
    link.AttachShared(state.port.get());
    link.SetIdentity(IdentityOf(state.record, transmitter));
    for (;;) {
      int status = kHartOk;
      {
        HartLineScope line(link.port(), true);
        status = link.Exchange(kHartResetZero, 2);
      }
      if (status == kHartOk) {
        ShowOutcome(state, technician, 2702);
        result = HartZeroResult::Done;
        break;
      }
      ShowHartMessage(state, technician, status);
      if (!technician.Confirm("", state.Text(2191))) break;
    }
    ReleaseTransmitterLink(link);
  }
  // A zero set in a flow computer that stays in service mode is not done.
  if (RunServiceOperation(state, technician, passwords, serviceHost, kServiceLeave, 1, state.Text(2203)) !=
      ServiceResult::Succeeded)
    return HartZeroResult::Failed;
  return result;
}

HartZeroResult ZeroThroughFlowComputer(ProgramState& state, Technician& technician, int transmitter) {
  ConnectionRecord& record = state.record;
  Request exchange;
  exchange.writeRequest = 1;
  exchange.command = 0x0B;
  // The password, then a HART long frame: delimiter, address, command, byte count, check byte.
  exchange.data.assign(kRelayRequestLength - kMinFrameLength, 0);
  uint8_t* data = exchange.data.data();
  std::memcpy(data, record.writePassword, kPasswordSize);
  uint8_t* hart = data + kPasswordSize;
  hart[0] = kHartLongRequest;
  std::memcpy(hart + 1, IdentityOf(record, transmitter), kHartIdentitySize);
  hart[6] = kHartSetPrimaryZero;
  hart[7] = 0;
  hart[8] = HartCheckByte(hart, 8);

  LinkSettings& link = state.config.link;
  const int savedWait = link.firstByteWait;
  link.firstByteWait =
      SharesFlowComputerLine(record.id.type) ? 3 : (19 * record.pipelineCount() + 19) / 55 + 1;
  const ExchangeResult result = WriteWithRetry(state, technician, exchange);
  link.firstByteWait = savedWait;
  if (result != ExchangeResult::Ok) return HartZeroResult::Failed;
  const ResponseView answer = state.link.answer();
  const int text = RelayedZeroTextId(answer.data().data(), answer.size(), hart + 1);
  ShowOutcome(state, technician, text);
  return text == 2702 ? HartZeroResult::Done : HartZeroResult::Failed;
}

}  // namespace

int HartZeroTransmitter(uint8_t sensorKinds, bool lowerRange) {
  const int present = (sensorKinds & 0x04) || (sensorKinds & 0x60) ? 1 : 0;
  if (present == 0) return 0;
  return lowerRange && (sensorKinds & 0x18) == 0x18 ? present + 1 : present;
}

int RelayedZeroTextId(const uint8_t* hart, int size, const uint8_t identity[kHartIdentitySize]) {
  // delimiter, 5 address bytes, command, byte count, then byte count bytes and the check byte
  if (size < 8 || hart[7] + 9 > size || HartCheckByte(hart, static_cast<size_t>(hart[7] + 9)) != 0)
    return 2696;
  if (hart[0] != kHartLongResponse) return 2697;
  if (hart[6] != kHartSetPrimaryZero) return 2698;
  if (std::memcmp(hart + 1, identity, kHartIdentitySize) != 0) return 2699;
  if (hart[7] < 2) return 2696;
  if (hart[8] != 0) return 2700;
  return (hart[9] & 0x40) ? 2702 : 2701;
}

HartZeroResult RunHartZero(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                           ServiceWindowHost& serviceHost, bool lowerRange) {
  const int p = state.record.currentPipeline - 1;
  const uint8_t kinds =
      kSensorKinds + p < kConfigurationSize ? state.record.configuration[kSensorKinds + p] : 0;
  const int transmitter = HartZeroTransmitter(kinds, lowerRange);
  if (transmitter == 0) return HartZeroResult::NoTransmitter;
  if (!technician.ConfirmWrite(state.Text(2871), state.Text(2691))) return HartZeroResult::Declined;
  if (ZeroesDirectly(state.record.id.type))
    return ZeroDirectly(state, technician, passwords, serviceHost, transmitter);
  return ZeroThroughFlowComputer(state, technician, transmitter);
}

}  // namespace ruvenset
