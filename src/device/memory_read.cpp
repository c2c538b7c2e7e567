#include "device/memory_read.h"

#include "common/device_models.h"
#include "device/exchange.h"

namespace ruvenset {
namespace {

constexpr int kReadMemory = 0x13;

}  // namespace

std::vector<uint8_t> MemoryReadRequestData(const ConnectionRecord& record, uint16_t address, uint8_t count) {
  std::vector<uint8_t> data(static_cast<size_t>(MemoryReadDataSize(record.id.type, record.id.version)), 0);
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
  request.exactAnswer = true;
  request.progressText = panelText;
  if (WriteWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  const std::span<const uint8_t> block = state.link.answer().data().first(count);
  out.assign(block.begin(), block.end());
  return true;
}

}  // namespace ruvenset
