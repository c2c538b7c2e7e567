#include "device/read_configuration.h"

#include <algorithm>

#include "common/code_page.h"
#include "device/exchange.h"
#include "device/pipeline_state.h"

namespace ruvenset {
namespace {

// The parameter block's per-pipeline values are interleaved for at most three pipelines.
constexpr int kParameterBlockPipelines = 3;

// Reads one block with the retry rule and keeps its first `size` response data bytes.
bool ReadBlock(ProgramState& state, Technician& technician, Request request, uint8_t* out, int size) {
  request.answerData = size;
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  std::copy_n(state.link.answer().data().begin(), size, out);
  return true;
}

// Puts the old layout's parameter-block floats into host order.
void ConvertParameterBlock(ConnectionRecord& record, uint8_t* data) {
  const DeviceByteOrder order = record.id.byteOrder;
  for (int p = 0; p < 2 && p < record.pipelineCount(); ++p) {
    if (!(record.pipelineFlag(p) & 0x80)) continue;
    for (int base : {79, 87, 95}) DeviceFloatToHost(data + base + 4 * p, 1, order);
  }
  for (int p = 0; p < record.pipelineCount() && p < kParameterBlockPipelines; ++p) {
    for (int i = 0; i < 4; ++i) DeviceFloatToHost(data + 103 + 4 * p + 12 * i, 1, order);
  }
}

// A pipeline found in service mode: asks whether to take it out.
PipelineResult OfferRelease(ProgramState& state, Technician& technician, int pipeline) {
  if (!technician.Confirm3("", state.Text(2325), state.Text(2326), state.Text(2327)))
    return PipelineResult::Done;
  return LeaveServiceMode(state, technician, pipeline);
}

}  // namespace

bool ReadsPipelineParameters(const ConnectionRecord& record, int preambleInRts, int p) {
  const Identification& id = record.id;
  if (id.version >= 25) return true;
  const uint8_t f = record.pipelineFlag(p);
  const uint8_t g = record.pipelineParameterByte(p);
  const uint8_t d4 = id.data(4);
  const uint8_t d5 = id.data(5);
  if ((d5 & 0x80) && !((d5 & 0x10) && (f & 0x80))) return true;
  return id.version > 8 && (d4 & 0x03) == 0 && preambleInRts == 0 &&
         (id.version < 10 || !(d4 & 0x20) || !(d4 & 0x10)) && (g & 0x40);
}

ReadResult ReadAllPipelineParameters(ProgramState& state, Technician& technician) {
  const ConnectionRecord& record = state.record;
  const int preambleInRts = state.link.runtime().preambleInRts;
  for (int i = 1; i <= record.pipelineCount(); ++i) {
    if (ReadsPipelineParameters(record, preambleInRts, i - 1) &&
        ReadPipelineParameters(state, technician, i) != ReadResult::Read)
      return ReadResult::Abandoned;
  }
  return ReadResult::Read;
}

ReadResult ReadConfiguration(ProgramState& state, Technician& technician) {
  ConnectionRecord& record = state.record;
  Request request;
  request.command = 0x08;
  request.progressText = state.Text(2723);
  if (!ReadBlock(state, technician, request, record.configuration, kConfigurationSize))
    return ReadResult::Abandoned;

  request.command = 0x09;
  request.progressText = state.Text(2726);
  if (!ReadBlock(state, technician, request, record.parameters, kParameterBlockSize))
    return ReadResult::Abandoned;
  if (record.id.version < 25) ConvertParameterBlock(record, record.parameters);

  request.command = 0x22;
  request.progressText = state.Text(2727);
  if (!ReadBlock(state, technician, request, record.block22, kBlock22Size)) return ReadResult::Abandoned;

  const int n = record.pipelineCount();
  if (ReadAllPipelineParameters(state, technician) != ReadResult::Read) return ReadResult::Abandoned;

  for (int i = 1; i <= n; ++i) {
    for (;;) {
      const SelectResult selected = SelectLine(state, technician, i, true);
      if (selected == SelectResult::Selected) break;
      if (selected == SelectResult::Refused) return ReadResult::Abandoned;
      if (!technician.Confirm(state.Text(2195), state.Text(2196))) return ReadResult::Abandoned;
    }
    if (record.pipelineStateByte(i) == 3 && OfferRelease(state, technician, i) != PipelineResult::Done)
      return ReadResult::Abandoned;
  }
  return ReadResult::Read;
}

ReadResult ReadPipelineParameters(ProgramState& state, Technician& technician, int pipeline) {
  ConnectionRecord& record = state.record;
  const bool newer = record.id.version >= 25;
  Request request;
  request.writeRequest = newer ? 0 : 1;
  request.command = newer ? 0x1C : 0x1E;
  request.data = {static_cast<uint8_t>(pipeline)};
  request.answerData = 1 + kPipelineParametersSize;  // the record follows data byte 0
  request.progressText = state.texts.FormatText(2725, {pipeline});
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return ReadResult::Abandoned;
  if (state.link.answer().IsRefusalOf(request.command)) {
    ShowRefusal(state, technician);
    return ReadResult::Abandoned;
  }
  uint8_t* kept = record.pipelineParameters[ConnectionRecord::ClampPipeline(pipeline) - 1];
  std::copy_n(state.link.answer().data().begin() + 1, kPipelineParametersSize, kept);
  // Record byte k is answer data byte k + 1.
  const DeviceByteOrder order = record.id.byteOrder;
  DeviceFloatToHost(kept + 6, 1, order);
  DeviceFloatToHost(kept + 10, 1, order);
  if (newer) {
    for (int k = 0; k < 10; ++k) DeviceFloatToHost(kept + 21 + 4 * k, 1, order);
  }
  return ReadResult::Read;
}

ReadResult ReadIdentificationText(ProgramState& state, Technician& technician) {
  constexpr int kTextSize = 16;
  Request request;
  request.command = 0x01;
  request.answerData = 1 + kTextSize;  // the text follows data byte 0
  request.progressText = state.Text(2731);
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return ReadResult::Abandoned;
  state.record.identificationText = DeviceTextToUtf8(state.link.answer().data().data() + 1, kTextSize);
  return ReadResult::Read;
}

}  // namespace ruvenset
