#include "calibration/identification_code.h"

#include <cstring>
#include <string>
#include <vector>

#include "calibration/acquisition_window.h"
#include "device/exchange.h"

namespace ruvenset {
namespace {

constexpr int kWriteMemory = 0x14;
constexpr int kWriteLength = 33;
constexpr size_t kMaxDigits = 10;

}  // namespace

std::optional<uint32_t> ParseIdentificationCode(std::string_view text) {
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value < 1 || value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(value);
}

bool WriteIdentificationCode(ProgramState& state, Technician& technician, uint32_t code) {
  const ConnectionRecord& record = state.record;
  Request request;
  request.data.assign(kWriteLength - 6, 0);
  uint8_t* data = request.data.data();
  data[0] = 1;
  data[1] = 128;
  std::memcpy(data + 2, record.writePassword, kPasswordSize);
  StoreDeviceWord(data + 18, kIdentificationCodeAddress, record.id.byteOrder);
  uint8_t bytes[4];
  StoreLe32(bytes, code);
  if (record.id.byteOrder == DeviceByteOrder::MsbFirst) {
    for (int i = 0; i < 4; ++i) data[23 + i] = bytes[3 - i];
  } else {
    std::memcpy(data + 23, bytes, 4);
  }
  request.writeRequest = 1;
  request.command = kWriteMemory;
  return WriteWithRetry(state, technician, request) == ExchangeResult::Ok;
}

IdentificationResult ShowIdentificationCode(ProgramState& state, Technician& technician) {
  const std::optional<uint32_t> code = ReadIdentificationCode(state, technician);
  if (!code) return IdentificationResult::Failed;
  technician.ShowMessageWindow(state.Text(1144), state.texts.FormatText(2920, {*code}), "Ok");
  return IdentificationResult::Done;
}

IdentificationResult IdentificationCodeStep(ProgramState& state, Technician& technician,
                                            CalibrationPages& pages) {
  const std::optional<uint32_t> code = ReadIdentificationCode(state, technician);
  if (!code) return IdentificationResult::Failed;
  IdentificationCodeEntry entry;
  entry.caption = state.Text(1144);
  entry.label = state.Text(1145);
  entry.proposed = std::to_string(*code);
  entry.acceptText = state.Text(2613);
  entry.cancelText = state.Text(2614);
  const std::optional<uint32_t> typed = pages.AskIdentificationCode(entry);
  if (!typed || *typed == 0) return IdentificationResult::Cancelled;
  if (*typed != *code && !WriteIdentificationCode(state, technician, *typed))
    return IdentificationResult::Failed;
  state.calibration.SetIdentificationCode(*typed);
  return IdentificationResult::Done;
}

}  // namespace ruvenset
