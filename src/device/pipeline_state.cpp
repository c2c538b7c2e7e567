#include "device/pipeline_state.h"

#include <algorithm>
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

}  // namespace

bool DensityIsDeviceFloat(const ProgramState& state) {
  const Identification& id = state.record.id;
  const bool options01Clear = (id.data(4) & 0x03) == 0;
  return PipelineStateSize(id) == kPipelineStateSize &&
         ((id.data(4) & 0x20) ||
          (id.version > 8 && options01Clear && state.link.runtime().preambleInRts == 0));
}

int PipelineStateSize(const Identification& id) {
  return id.version <= 8 && !(id.data(4) & 0x20) ? 15 : kPipelineStateSize;
}

SelectResult SelectLine(ProgramState& state, Technician& technician, int pipeline, bool showPanel) {
  ConnectionRecord& record = state.record;
  const Identification& id = record.id;
  const int size = PipelineStateSize(id);
  Request request;
  request.writeRequest = 1;
  request.command = 0x08;
  request.data = {static_cast<uint8_t>(pipeline)};
  request.answerData = 1 + size;  // the state record follows data byte 0
  if (showPanel) request.progressText = state.texts.FormatText(2724, {pipeline});
  if (Exchange(state, technician, request) != LinkOk) return SelectResult::LinkFailed;
  if (IsRefusal(state, 0x08)) {
    ShowRefusal(state, technician);
    return SelectResult::Refused;
  }
  // Record byte k is answer data byte k + 1.
  const int index = ConnectionRecord::ClampPipeline(pipeline) - 1;
  uint8_t* kept = record.pipelineState[index];
  std::memset(kept, 0, kPipelineStateSize);
  std::copy_n(state.link.answer().data().begin() + 1, size, kept);
  for (int offset : kStateFloats) DeviceFloatToHost(kept + offset, 4, id.byteOrder);
  if (DensityIsDeviceFloat(state)) DeviceFloatToHost(kept + kStateDensity, 4, id.byteOrder);
  record.pipelineStateNibble[index] = UsesParameterPassword(id) ? (kept[0] >> 4) : 0;
  kept[0] &= 0x0F;
  return SelectResult::Selected;
}

PipelineResult ReloadCurrentPipeline(ProgramState& state, Technician& technician) {
  const int code = state.channel.code;
  const ConnectionRecord& record = state.record;
  state.channelNameText = code == 0   ? 2168 + record.pressureUnit()
                          : code == 1 ? 2189
                          : code == 5 ? 2190
                          : code == 6 ? 2186
                                      : 2155 + record.diffPressureUnit();
  for (;;) {
    const SelectResult result = SelectLine(state, technician, state.record.currentPipeline, true);
    if (result == SelectResult::Selected) return PipelineResult::Done;
    if (result == SelectResult::Refused) return PipelineResult::Abandoned;
    if (!technician.Confirm(state.Text(2195), state.Text(2196))) return PipelineResult::Abandoned;
  }
}

PipelineResult WritePipelineState(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                  int pipeline) {
  ConnectionRecord& record = state.record;
  const Identification& id = record.id;
  const int index = ConnectionRecord::ClampPipeline(pipeline) - 1;
  uint8_t data[kMaxRequestData] = {static_cast<uint8_t>(pipeline)};
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
  if (DensityIsDeviceFloat(state)) DeviceFloatToHost(data + recordAt + kStateDensity, 0, id.byteOrder);

  Request request;
  request.writeRequest = 1;
  request.command = 0x09;
  request.data.assign(data, data + length - kMinFrameLength);
  request.progressText = state.texts.FormatText(2716, {pipeline});
  return WriteWithRetry(state, technician, request) == ExchangeResult::Ok ? PipelineResult::Done
                                                                          : PipelineResult::Abandoned;
}

Request LeaveServiceRequest(const ConnectionRecord& record, int pipeline) {
  Request request;
  request.writeRequest = 1;
  request.command = 0x11;
  request.data.assign(1 + kPasswordSize, 0);
  request.data[0] = static_cast<uint8_t>(pipeline);
  std::copy_n(record.writePassword, kPasswordSize, request.data.begin() + 1);
  return request;
}

PipelineResult LeaveServiceMode(ProgramState& state, Technician& technician, int pipeline) {
  Request request = LeaveServiceRequest(state.record, pipeline);
  request.progressText = state.Text(2730);
  return WriteWithRetry(state, technician, request) == ExchangeResult::Ok ? PipelineResult::Done
                                                                          : PipelineResult::Abandoned;
}

}  // namespace ruvenset
