#include "sim/flow_computer_model.h"

#include <algorithm>
#include <cstring>

#include "common/crc16.h"
#include "link/frame.h"
#include "sim/calibration_preload.h"
#include "sim/hart_frame.h"
#include "sim/memory_map.h"
#include "sim/sensor_physics.h"
#include "sim/written_block_check.h"

namespace ruvenset::sim {
namespace {

constexpr int64_t kNsPerMs = 1'000'000;
constexpr size_t kMaxData = 249;
constexpr const char* kIdentificationText = "Симулятор ВАЛДОР";

// Request lengths of the layouts the flow computer accepts.
constexpr size_t kSelectLength = 7;
constexpr size_t kWriteStateLength = 42;
constexpr size_t kWriteStateParameterLength = 59;
constexpr size_t kEnterLength = 29;
constexpr size_t kEnterParameterLength = 46;
constexpr size_t kLeaveLength = 23;
constexpr size_t kMeasureLength = 8;
constexpr size_t kWriteHeader = 27;  // request bytes before the data of a memory write

uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

void StoreDevice32(uint8_t* p, uint32_t value, DeviceByteOrder order) {
  for (int i = 0; i < 4; ++i) {
    const int shift = order == DeviceByteOrder::LsbFirst ? 8 * i : 24 - 8 * i;
    p[i] = static_cast<uint8_t>(value >> shift);
  }
}

}  // namespace

FlowComputerModel::FlowComputerModel(const FlowComputerConfig& config)
    : config_(config),
      order_(config.lsb ? DeviceByteOrder::LsbFirst : DeviceByteOrder::MsbFirst),
      hasDifferential_((PipelineFlagByte(config.model) & 0x80) == 0),
      password_(PaddedDeviceText(config.password)),
      parameterPassword_(PaddedDeviceText(config.parameterPassword)),
      memory_(kMemorySize),
      transmitters_{
          HartTransmitterModel::Make3051(0, HartVariable::Differential, kHartMmH2O, {0x10, 0x00, 0x01}),
          HartTransmitterModel::Make3051(0, HartVariable::Differential, kHartMmH2O, {0x10, 0x00, 0x02})},
      serviceDelayMs_(kDefaultServiceDelayMs),
      jitter_(kDefaultCodeJitter) {
  config_.pipelines = std::clamp(config_.pipelines, 1, kMaxPipelines);
  PreloadMemory(memory_.data(), {order_, config_.model, hasDifferential_, config_.identificationCode});
  pipelines_.resize(static_cast<size_t>(config_.pipelines));
  for (Pipeline& p : pipelines_) BuildInitialStateRecord(config_, p.record.data());
}

void FlowComputerModel::RefuseNext(uint8_t command, uint8_t code, uint8_t a, uint8_t b) {
  refusals_[command] = {code, a, b};
}

FlowComputerModel::Pipeline* FlowComputerModel::FindPipeline(uint8_t number) {
  if (number < 1 || number > pipelines_.size()) return nullptr;
  return &pipelines_[number - 1];
}

bool FlowComputerModel::ForceState(int pipeline, uint8_t state) {
  if (pipeline < 1 || pipeline > static_cast<int>(pipelines_.size())) return false;
  Pipeline& p = pipelines_[static_cast<size_t>(pipeline - 1)];
  p.state = state & 0x0F;
  p.pending = false;
  return true;
}

int FlowComputerModel::State(int pipeline, int64_t nowNs) {
  Settle(nowNs);
  if (pipeline < 1 || pipeline > static_cast<int>(pipelines_.size())) return -1;
  return pipelines_[static_cast<size_t>(pipeline - 1)].state;
}

void FlowComputerModel::SetServiceDelayMs(int64_t ms) {
  serviceDelayMs_ = std::clamp<int64_t>(ms, 0, 60'000);
}

void FlowComputerModel::Settle(int64_t nowNs) {
  for (Pipeline& p : pipelines_) {
    if (p.pending && nowNs >= p.dueNs) {
      p.state = p.pendingState;
      p.pending = false;
    }
  }
}

uint8_t FlowComputerModel::Marker(int64_t nowNs) {
  return static_cast<uint8_t>((nowNs / (kMeasurementCycleMs * kNsPerMs)) % 128);
}

MeasurementSnapshot FlowComputerModel::Measure(int64_t nowNs) const {
  const uint64_t cycle = static_cast<uint64_t>(nowNs / (kMeasurementCycleMs * kNsPerMs));
  auto spread = [&](uint64_t channel, int width) -> int64_t {
    if (width == 0) return 0;
    const uint64_t h = Mix(Mix(config_.seed) ^ (cycle * 8 + channel));
    return static_cast<int64_t>(h % static_cast<uint64_t>(2 * width + 1)) - width;
  };
  auto code24 = [](int64_t code) { return static_cast<uint32_t>(std::clamp<int64_t>(code, 0, kMaxCode24)); };
  const double ambient = inputs_.ambient;
  MeasurementSnapshot m;
  m.pressureCode = code24(PressureCode(inputs_.pressure, ambient) + spread(0, jitter_));
  m.temperatureCode = code24(TemperatureCode(inputs_.temperature, ambient) + spread(1, jitter_));
  m.differentialCode = code24(DifferentialCode(inputs_.differential, ambient) + spread(2, jitter_));
  m.ambientCode = static_cast<uint16_t>(
      std::clamp<int64_t>(AmbientCode(ambient) + spread(3, jitter_ > 0 ? 1 : 0), 0, 65535));

  const uint8_t* mem = memory_.data();
  m.ambient = MeasureAmbient(mem, m.ambientCode, order_);
  m.pressure = MeasureSection(mem, kPressureSection, m.pressureCode, m.ambientCode, order_);
  if (m.pressure.valid) m.pressure.value = ApplyCharacteristic(mem, false, m.pressure.value, order_);
  m.temperature = MeasureSection(mem, kTemperatureSection, m.temperatureCode, m.ambientCode, order_);
  if (hasDifferential_) {
    m.differential = MeasureSection(mem, kDifferentialSection, m.differentialCode, m.ambientCode, order_);
    if (m.differential.valid)
      m.differential.value = ApplyCharacteristic(mem, true, m.differential.value, order_);
  }
  return m;
}

void FlowComputerModel::Answer(const uint8_t* request, uint8_t command, const uint8_t* data, size_t size,
                               std::vector<uint8_t>& response) const {
  size = std::min(size, kMaxData);
  response.assign(size + 6, 0);
  response[0] = request[0] == kWriteStart ? kResponseStartB : kResponseStartA;
  response[1] = request[1];
  response[2] = static_cast<uint8_t>(size + 6);
  response[3] = command;
  if (size > 0) std::memcpy(response.data() + 4, data, size);
  StoreCrc16(response.data(), size + 4);
}

void FlowComputerModel::Refuse(const uint8_t* request, uint8_t code, uint8_t a, uint8_t b,
                               std::vector<uint8_t>& response) const {
  const uint8_t data[3] = {code, a, b};
  Answer(request, request[3], data, sizeof data, response);
}

bool FlowComputerModel::PasswordMatches(const uint8_t* at) const {
  return std::memcmp(at, password_.data(), password_.size()) == 0;
}

bool FlowComputerModel::ParameterPasswordMatches(const uint8_t* at) const {
  return std::memcmp(at, parameterPassword_.data(), parameterPassword_.size()) == 0;
}

bool FlowComputerModel::HandleRequest(const uint8_t* frame, size_t size, int64_t nowNs,
                                      std::vector<uint8_t>& response) {
  if (size < 6 || (frame[0] != kReadStart && frame[0] != kWriteStart)) return false;
  if (frame[2] != size || !Crc16Matches(frame, size - 2)) return false;
  if (frame[1] != config_.address) return false;
  Settle(nowNs);
  const auto refusal = refusals_.find(frame[3]);
  if (refusal != refusals_.end()) {
    Refuse(frame, refusal->second.code, refusal->second.a, refusal->second.b, response);
    refusals_.erase(refusal);
  } else {
    Dispatch(frame, size, nowNs, response);
  }
  ++answered_;
  return true;
}

void FlowComputerModel::Dispatch(const uint8_t* f, size_t size, int64_t nowNs,
                                 std::vector<uint8_t>& response) {
  const bool write = f[0] == kWriteStart;
  const uint8_t command = f[3];
  const uint8_t reply = static_cast<uint8_t>(command | 0x80);
  switch (command) {
    case 0x01: {
      uint8_t data[18] = {};
      const auto text = PaddedDeviceText(kIdentificationText);
      std::memcpy(data + 1, text.data(), text.size());
      return Answer(f, reply, data, sizeof data, response);
    }
    case 0x02:
      return Answer(f, reply, nullptr, 0, response);
    case 0x08:
      return write ? SelectLine(f, size, response) : ReadConfiguration(f, response);
    case 0x09: {
      if (write) return WriteState(f, size, response);
      uint8_t data[kParameterBlockSize];
      BuildParameterBlock(config_, data);
      return Answer(f, reply, data, sizeof data, response);
    }
    case 0x0B:
      return RelayHart(f, size, response);
    case 0x0C: {
      if (write) return Measurement(f, size, nowNs, response);
      uint8_t data[kIdentificationDataSize];
      BuildIdentification(config_, data);
      return Answer(f, reply, data, sizeof data, response);
    }
    case 0x10:
      return EnterService(f, size, nowNs, response);
    case 0x11:
      return LeaveService(f, size, nowNs, response);
    case 0x13:
      return ReadMemory(f, size, response);
    case 0x14:
      return WriteMemory(f, size, response);
    case 0x1C:
    case 0x1E:
      return PipelineRecord(f, size, response);
    case 0x1D:
      return Markers(f, nowNs, response);
    case 0x22: {
      uint8_t data[kBlock22Size];
      BuildBlock22(static_cast<uint8_t>(std::max<int64_t>(1, (serviceDelayMs_ + 999) / 1000)), data);
      return Answer(f, reply, data, sizeof data, response);
    }
    default:
      return Answer(f, 0xFF, nullptr, 0, response);
  }
}

void FlowComputerModel::ReadConfiguration(const uint8_t* f, std::vector<uint8_t>& response) const {
  uint8_t data[kConfigurationSize];
  const uint8_t* units = memory_.data() + kUnitsBlock;
  BuildConfiguration(config_, units[0], units[2], transmitters_[0].LongAddress(),
                     transmitters_[1].LongAddress(), data);
  Answer(f, 0x88, data, sizeof data, response);
}

void FlowComputerModel::SelectLine(const uint8_t* f, size_t size, std::vector<uint8_t>& response) {
  if (size != kSelectLength) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  Pipeline* p = FindPipeline(f[4]);
  if (p == nullptr) return Refuse(f, kRefuseNoSuchPipeline, f[4], 0, response);
  uint8_t data[1 + kStateRecordSize];
  data[0] = f[4];
  std::memcpy(data + 1, p->record.data(), kStateRecordSize);
  data[1] = p->state;
  Answer(f, 0x88, data, sizeof data, response);
}

void FlowComputerModel::WriteState(const uint8_t* f, size_t size, std::vector<uint8_t>& response) {
  const bool parameterPassword = !config_.parameterPassword.empty();
  if (size != (parameterPassword ? kWriteStateParameterLength : kWriteStateLength)) {
    return Refuse(f, kRefuseBadRequest, 0, 0, response);
  }
  Pipeline* p = FindPipeline(f[4]);
  if (p == nullptr) return Refuse(f, kRefuseNoSuchPipeline, f[4], 0, response);
  const uint8_t* password = parameterPassword ? f + 6 : f + 5;
  if (!PasswordMatches(password)) return Refuse(f, kRefuseWrongPassword, f[4] - 1, 0, response);
  if (parameterPassword && !ParameterPasswordMatches(f + 22)) {
    return Refuse(f, kRefuseWrongParameterPassword, f[4] - 1, 0, response);
  }
  const uint8_t* record = parameterPassword ? f + 38 : f + 21;
  // The state itself changes only through service mode; the rest of the record is the technician's.
  std::memcpy(p->record.data() + 1, record + 1, kStateRecordSize - 1);
  Answer(f, 0x89, f + 4, 1, response);
}

void FlowComputerModel::PipelineRecord(const uint8_t* f, size_t size, std::vector<uint8_t>& response) {
  if (size != kSelectLength) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  if (FindPipeline(f[4]) == nullptr) return Refuse(f, kRefuseNoSuchPipeline, f[4], 0, response);
  uint8_t data[1 + kPipelineRecordSize];
  data[0] = f[4];
  BuildPipelineRecord(config_, data + 1);
  Answer(f, static_cast<uint8_t>(f[3] | 0x80), data, sizeof data, response);
}

void FlowComputerModel::RelayHart(const uint8_t* f, size_t size, std::vector<uint8_t>& response) {
  constexpr size_t kHartAt = 20;
  if (size < kHartAt + 2 + 5) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  if (!PasswordMatches(f + 4)) return Refuse(f, kRefuseWrongPassword, 0, 0, response);
  std::vector<uint8_t> hart;
  for (HartTransmitterModel& t : transmitters_) {
    if (t.Handle(f + kHartAt, size - 2 - kHartAt, inputs_, hart)) {
      return Answer(f, 0x8B, hart.data(), hart.size(), response);
    }
  }
  Refuse(f, kRefuseTransmitterSilent, 0, 0, response);
}

void FlowComputerModel::Measurement(const uint8_t* f, size_t size, int64_t nowNs,
                                    std::vector<uint8_t>& response) {
  if (size != kMeasureLength) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  if (FindPipeline(f[4]) == nullptr) return Refuse(f, kRefuseNoSuchPipeline, f[4], 0, response);
  const uint8_t channel = f[5];
  if (channel > 3) return Refuse(f, kRefuseNoSuchChannel, f[4] - 1, channel, response);
  const MeasurementSnapshot m = Measure(nowNs);
  const bool differential = channel >= 2;
  const ChannelReading& main = differential ? m.differential : m.pressure;
  // The measurement reply is laid out most significant byte first whatever the device's byte order.
  constexpr DeviceByteOrder kReplyOrder = DeviceByteOrder::MsbFirst;
  uint8_t data[29] = {};
  data[0] = f[4];
  data[1] = channel;
  StoreDevice32(data + 2, differential ? m.differentialCode : m.pressureCode, kReplyOrder);
  data[6] = main.valid ? 1 : 0;
  StoreDevice32(data + 7, m.temperatureCode, kReplyOrder);
  data[11] = m.temperature.valid ? 1 : 0;
  StoreDevice32(data + 12, static_cast<uint32_t>(m.ambientCode) << 8, kReplyOrder);
  data[16] = 1;
  StoreDeviceFloat(data + 17, main.value, kReplyOrder);
  StoreDeviceFloat(data + 21, m.temperature.value, kReplyOrder);
  StoreDeviceFloat(data + 25, m.ambient.value, kReplyOrder);
  Answer(f, 0x8C, data, sizeof data, response);
}

void FlowComputerModel::EnterService(const uint8_t* f, size_t size, int64_t nowNs,
                                     std::vector<uint8_t>& response) {
  const bool parameterPassword = !config_.parameterPassword.empty();
  if (size != (parameterPassword ? kEnterParameterLength : kEnterLength)) {
    return Refuse(f, kRefuseBadRequest, 0, 0, response);
  }
  Pipeline* p = FindPipeline(f[4]);
  if (p == nullptr) return Refuse(f, kRefuseNoSuchPipeline, f[4], 0, response);
  if (!PasswordMatches(f + 6)) return Refuse(f, kRefuseWrongPassword, f[4] - 1, 0, response);
  if (parameterPassword && !ParameterPasswordMatches(f + 22)) {
    return Refuse(f, kRefuseWrongParameterPassword, f[4] - 1, 0, response);
  }
  const bool entering = p->pending && p->pendingState == kStateService;
  if (p->state == kStateService || entering) return Refuse(f, kRefuseAlreadyInService, f[4] - 1, 0, response);
  p->pending = true;
  p->pendingState = kStateService;
  p->dueNs = nowNs + serviceDelayMs_ * kNsPerMs;
  Answer(f, 0x90, f + 4, 1, response);
}

void FlowComputerModel::LeaveService(const uint8_t* f, size_t size, int64_t nowNs,
                                     std::vector<uint8_t>& response) {
  if (size != kLeaveLength) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  Pipeline* p = FindPipeline(f[4]);
  if (p == nullptr) return Refuse(f, kRefuseNoSuchPipeline, f[4], 0, response);
  if (!PasswordMatches(f + 5)) return Refuse(f, kRefuseWrongPassword, f[4] - 1, 0, response);
  if (p->state == kStateNormal) {
    p->pending = false;  // an entry still on its way is simply called off
  } else {
    p->pending = true;
    p->pendingState = kStateNormal;
    p->dueNs = nowNs + serviceDelayMs_ * kNsPerMs;
  }
  Answer(f, 0x91, f + 4, 1, response);
}

void FlowComputerModel::ReadMemory(const uint8_t* f, size_t size, std::vector<uint8_t>& response) const {
  if (size != 9 && size != 10) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  const size_t address = DeviceWordAt(f + 4, order_);
  const size_t count = f[6];
  if (count == 0 || count > kMaxData || address + count > kMemorySize) {
    return Refuse(f, kRefuseBadMemoryRange, 0, 0, response);
  }
  Answer(f, 0x93, memory_.data() + address, count, response);
}

void FlowComputerModel::WriteMemory(const uint8_t* f, size_t size, std::vector<uint8_t>& response) {
  if (size < kWriteHeader + 3) return Refuse(f, kRefuseBadRequest, 0, 0, response);
  const size_t count = size - kWriteHeader - 2;
  const size_t address = DeviceWordAt(f + 22, order_);
  const uint8_t* data = f + kWriteHeader;
  if (address + count > kMemorySize) return Refuse(f, kRefuseBadMemoryRange, 0, 0, response);
  if (!PasswordMatches(f + 6)) return Refuse(f, kRefuseWrongPassword, 0, 0, response);
  const bool identificationCode = address == kIdentificationCode && count == 4;
  if (!identificationCode) {
    if (f[24] > static_cast<uint8_t>(RecordKind::MeasurementParameters)) {
      return Refuse(f, kRefuseBadRequest, f[25], f[26], response);
    }
    if (!WrittenBlockValid(static_cast<RecordKind>(f[24]), data, count)) {
      return Refuse(f, kRefuseBadCheckBytes, f[25], f[26], response);
    }
  }
  std::memcpy(memory_.data() + address, data, count);
  const uint8_t ack[3] = {f[22], f[23], static_cast<uint8_t>(count)};
  Answer(f, 0x94, ack, sizeof ack, response);
}

void FlowComputerModel::Markers(const uint8_t* f, int64_t nowNs, std::vector<uint8_t>& response) const {
  // Data byte 6 + channel code counts the conversions of that channel (pressure, temperature,
  // differential pressure or its upper range, its lower range); 11 and 12 those of the ambient sensor
  // (main board, differential-pressure board).
  uint8_t data[16] = {};
  const uint8_t marker = Marker(nowNs);
  for (size_t at : {6, 7, 8, 9, 11, 12}) data[at] = marker;
  Answer(f, 0x9D, data, sizeof data, response);
}

}  // namespace ruvenset::sim
