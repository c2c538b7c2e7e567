#include "storage/memory_read.h"

#include "device/exchange.h"

namespace ruvenset {
namespace {

constexpr int kReadMemory = 0x13;

}  // namespace

std::vector<uint8_t> MemoryReadRequestData(const ConnectionRecord& record, uint16_t address, uint8_t count) {
  // Model 20 from version 35 takes one byte more (sent as 0).
  std::vector<uint8_t> data(record.id.type == 20 && record.id.version >= 35 ? 4 : 3, 0);
  StoreDeviceWord(data.data(), address, record.id.byteOrder);
  data[2] = count;
  return data;
}

bool ReadMemoryBlock(ProgramState& state, Technician& technician, uint16_t address, uint8_t count,
                     const std::string& panelText, std::vector<uint8_t>& out) {
  Request request;
  request.writeRequest = 1;
  request.command = kReadMemory;
  request.data = MemoryReadRequestData(state.record, address, count);
  request.answerData = count;
  request.progressText = panelText;
  if (WriteWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  const std::span<const uint8_t> block = state.link.answer().data().first(count);
  out.assign(block.begin(), block.end());
  return true;
}

}  // namespace ruvenset
