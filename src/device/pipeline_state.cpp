#include "device/pipeline_state.h"

#include <cstring>

#include "device/exchange.h"
#include "device/passwords.h"

namespace ruvenset {
namespace {

// The newest record layout: a parameter password protects state records.
bool UsesParameterPassword(const Identification& id) {
  return id.version > 29 && (id.data(40) & 0x80);
}

// Record offsets of the three floating-point values every state record holds.
constexpr int kStateFloats[] = {2, 6, 10};
// Record offset of the density constant, a floating-point value only on some flow computers.
constexpr int kStateDensity = 15;

// Whether the density constant (record bytes 15..18) is a floating-point value in the flow
// computer's byte order: the state record is read into host order and written back into device order
// by this one rule, so that a round trip never swaps its bytes.
bool DensityIsDeviceFloat(ProgramState& state) {
  const Identification& id = state.record.id;
  const bool options01Clear = (id.data(4) & 0x03) == 0;
  return (id.data(4) & 0x20) || (id.version > 8 && options01Clear && state.link.runtime().preambleInRts == 0);
}

}  // namespace

int PipelineStateSize(const Identification& id) {
  return id.version <= 8 && !(id.data(4) & 0x20) ? 15 : kPipelineStateSize;
}

int SelectLine(ProgramState& state, Technician& technician, int pipeline, bool showPanel) {
  Request request;
  request.writeRequest = 1;
  request.length = 7;
  request.command = 0x08;
  request.setFirstDataByte = 1;
  request.firstDataByte = pipeline;
  if (showPanel) request.progressText = state.texts.FormatText(2724, {pipeline});
  if (Exchange(state, technician, request) != LinkOk) return kSelectLinkFailed;
  ConnectionRecord& record = state.record;
  if (IsRefusal(record, 0x08)) {
    ShowRefusal(state, technician);
    return kSelectRefused;
  }
  const Identification& id = record.id;
  uint8_t* data = record.frame.responseData();
  for (int offset : kStateFloats) DeviceFloatToHost(data + 1 + offset, 4, id.byteOrder);
  if (DensityIsDeviceFloat(state)) DeviceFloatToHost(data + 1 + kStateDensity, 4, id.byteOrder);
  const int index = ConnectionRecord::ClampPipeline(pipeline) - 1;
  record.pipelineStateNibble[index] = (id.version > 29 && (id.data(40) & 0x80)) ? (data[1] >> 4) : 0;
  data[1] &= 0x0F;
  std::memset(record.pipelineState[index], 0, kPipelineStateSize);
  std::memcpy(record.pipelineState[index], data + 1, static_cast<size_t>(PipelineStateSize(id)));
  return kSelectOk;
}

int ReloadCurrentPipeline(ProgramState& state, Technician& technician) {
  const int code = state.channel.code;
  const ConnectionRecord& record = state.record;
  state.channelNameText = code == 0   ? 2168 + record.pressureUnit()
                          : code == 1 ? 2189
                          : code == 5 ? 2190
                          : code == 6 ? 2186
                                      : 2155 + record.diffPressureUnit();
  for (;;) {
    const int result = SelectLine(state, technician, state.record.currentPipeline, true);
    if (result == kSelectOk) return 0;
    if (result == kSelectRefused) return 1;
    if (!technician.Confirm(state.Text(2195), state.Text(2196))) return 1;
  }
}

int WritePipelineState(ProgramState& state, Technician& technician, PasswordPrompt& passwords, int pipeline) {
  ConnectionRecord& record = state.record;
  const Identification& id = record.id;
  const int index = ConnectionRecord::ClampPipeline(pipeline) - 1;
  uint8_t* data = record.frame.requestData();
  int length = 0;
  int recordAt = 0;
  int size = kPipelineStateSize;
  if (UsesParameterPassword(id)) {
    AskParameterPassword(record, passwords);
    data[1] = 0;
    std::memcpy(data + 2, record.writePassword, kPasswordSize);
    std::memcpy(data + 18, record.parameterPassword, kPasswordSize);
    recordAt = 34;
    length = 59;
  } else {
    size = PipelineStateSize(id);
    std::memcpy(data + 1, record.writePassword, kPasswordSize);
    recordAt = 17;
    length = size == kPipelineStateSize ? 42 : 38;
  }
  std::memcpy(data + recordAt, record.pipelineState[index], static_cast<size_t>(size));
  for (int offset : kStateFloats) DeviceFloatToHost(data + recordAt + offset, 0, id.byteOrder);
  if (size == kPipelineStateSize && DensityIsDeviceFloat(state)) {
    DeviceFloatToHost(data + recordAt + kStateDensity, 0, id.byteOrder);
  }

  Request request;
  request.writeRequest = 1;
  request.length = length;
  request.command = 0x09;
  request.setFirstDataByte = 1;
  request.firstDataByte = pipeline;
  request.progressText = state.texts.FormatText(2716, {pipeline});
  return WriteWithRetry(state, technician, request) == ExchangeResult::Ok ? 0 : 1;
}

int LeaveServiceMode(ProgramState& state, Technician& technician, int pipeline) {
  Request request;
  request.writeRequest = 1;
  request.length = 23;
  request.command = 0x11;
  request.setFirstDataByte = 1;
  request.firstDataByte = pipeline;
  request.progressText = state.Text(2730);
  std::memcpy(state.record.frame.requestData() + 1, state.record.writePassword, kPasswordSize);
  return WriteWithRetry(state, technician, request) == ExchangeResult::Ok ? 0 : 1;
}

}  // namespace ruvenset
