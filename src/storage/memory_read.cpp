#include "storage/memory_read.h"

#include "device/exchange.h"

namespace ruvenset {
namespace {

constexpr int kReadMemory = 0x13;
constexpr int kResponseOverhead = 6;

}  // namespace

int BuildMemoryReadRequest(ConnectionRecord& record, uint16_t address, uint8_t count) {
  uint8_t* data = record.frame.requestData();
  StoreDeviceWord(data, address, record.id.byteOrder);
  data[2] = count;
  data[3] = 0;
  // Model 20 from version 35 takes one byte more (sent as 0).
  return record.id.type == 20 && record.id.version >= 35 ? 10 : 9;
}

bool ReadMemoryBlock(ProgramState& state, Technician& technician, uint16_t address, uint8_t count,
                     const std::string& panelText, std::vector<uint8_t>& out) {
  Request request;
  request.writeRequest = 1;
  request.command = kReadMemory;
  request.length = BuildMemoryReadRequest(state.record, address, count);
  request.progressText = panelText;
  if (WriteWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  const LinkFrame& frame = state.record.frame;
  if (frame.responseLength() < kResponseOverhead + count) return false;
  out.assign(frame.responseData(), frame.responseData() + count);
  return true;
}

}  // namespace ruvenset
