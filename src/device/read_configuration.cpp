#include "device/read_configuration.h"

#include <cstring>

#include "common/code_page.h"
#include "device/exchange.h"
#include "device/pipeline_state.h"

namespace ruvenset {
namespace {

// The parameter block's per-pipeline values are interleaved for at most three pipelines.
constexpr int kParameterBlockPipelines = 3;

// Reads one block with the retry rule and keeps `size` response data bytes from `from`.
bool ReadBlock(ProgramState& state, Technician& technician, Request request, uint8_t* out, int size,
               int from = 0) {
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  std::memcpy(out, state.record.frame.responseData() + from, static_cast<size_t>(size));
  return true;
}

// Puts the old layout's parameter-block floats into host order, in the frame, before they are kept.
void ConvertParameterBlock(ProgramState& state) {
  ConnectionRecord& record = state.record;
  uint8_t* data = record.frame.responseData();
  const DeviceByteOrder order = record.id.byteOrder;
  for (int p = 0; p < 2 && p < record.pipelineCount(); ++p) {
    if (!(record.pipelineFlag(p) & 0x80)) continue;
    for (int base : {79, 87, 95}) DeviceFloatToHost(data + base + 4 * p, 1, order);
  }
  for (int p = 0; p < record.pipelineCount() && p < kParameterBlockPipelines; ++p) {
    for (int i = 0; i < 4; ++i) DeviceFloatToHost(data + 103 + 4 * p + 12 * i, 1, order);
  }
}

// A pipeline found in service mode: asks whether to take it out; 0 to go on, 1 when abandoned.
int OfferRelease(ProgramState& state, Technician& technician, int pipeline) {
  if (!technician.Confirm3("", state.Text(2325), state.Text(2326), state.Text(2327))) return 0;
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

int ReadConfiguration(ProgramState& state, Technician& technician) {
  ConnectionRecord& record = state.record;
  Request request;
  request.command = 0x08;
  request.progressText = state.Text(2723);
  if (!ReadBlock(state, technician, request, record.configuration, kConfigurationSize)) return 1;

  request.command = 0x09;
  request.progressText = state.Text(2726);
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return 1;
  if (record.id.version < 25) ConvertParameterBlock(state);
  std::memcpy(record.parameters, record.frame.responseData(), kParameterBlockSize);

  request.command = 0x22;
  request.progressText = state.Text(2727);
  if (!ReadBlock(state, technician, request, record.block22, kBlock22Size)) return 1;

  const int n = record.pipelineCount();
  const int preambleInRts = state.link.runtime().preambleInRts;
  for (int i = 1; i <= n; ++i) {
    if (ReadsPipelineParameters(record, preambleInRts, i - 1) &&
        !ReadPipelineParameters(state, technician, i))
      return 1;
  }

  for (int i = 1; i <= n; ++i) {
    for (;;) {
      const int selected = SelectLine(state, technician, i, true);
      if (selected == kSelectOk) break;
      if (selected == kSelectRefused) return 1;
      if (!technician.Confirm(state.Text(2195), state.Text(2196))) return 1;
    }
    if (record.pipelineStateByte(i) == 3 && OfferRelease(state, technician, i) != 0) return 1;
  }
  return 0;
}

bool ReadPipelineParameters(ProgramState& state, Technician& technician, int pipeline) {
  ConnectionRecord& record = state.record;
  const bool newer = record.id.version >= 25;
  Request request;
  request.writeRequest = newer ? 0 : 1;
  request.length = 7;
  request.command = newer ? 0x1C : 0x1E;
  request.setFirstDataByte = 1;
  request.firstDataByte = pipeline;
  request.progressText = state.texts.FormatText(2725, {pipeline});
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  uint8_t* data = record.frame.responseData();
  const DeviceByteOrder order = record.id.byteOrder;
  DeviceFloatToHost(data + 7, 1, order);
  DeviceFloatToHost(data + 11, 1, order);
  if (newer) {
    for (int k = 0; k < 10; ++k) DeviceFloatToHost(data + 22 + 4 * k, 1, order);
  }
  std::memcpy(record.pipelineParameters[pipeline - 1], data + 1, kPipelineParametersSize);
  return true;
}

int ReadIdentificationText(ProgramState& state, Technician& technician) {
  Request request;
  request.command = 0x01;
  request.progressText = state.Text(2731);
  if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return 1;
  state.record.identificationText = DeviceTextToUtf8(state.record.frame.responseData() + 1, 16);
  return 0;
}

}  // namespace ruvenset
