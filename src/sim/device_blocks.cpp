#include "sim/device_blocks.h"

#include <cstring>

#include "common/byte_order.h"

namespace ruvenset::sim {
namespace {

DeviceByteOrder OrderOf(const FlowComputerConfig& config) {
  return config.lsb ? DeviceByteOrder::LsbFirst : DeviceByteOrder::MsbFirst;
}

}  // namespace

void BuildIdentification(const FlowComputerConfig& config, uint8_t* data) {
  std::memset(data, 0, kIdentificationDataSize);
  data[0] = static_cast<uint8_t>(config.version);
  data[1] = static_cast<uint8_t>(config.revision);
  data[kIdentOptionByte] = static_cast<uint8_t>((config.options & ~0x08) | (config.lsb ? 0x08 : 0x00));
  data[kIdentTypeByte] = static_cast<uint8_t>(config.model);
  if (!config.parameterPassword.empty()) data[kIdentParameterPasswordByte] = 0x80;
}

void BuildConfiguration(const FlowComputerConfig& config, uint8_t pressureUnit, uint8_t differentialUnit,
                        const std::array<uint8_t, 5>& transmitter1,
                        const std::array<uint8_t, 5>& transmitter2, uint8_t* data) {
  std::memset(data, 0, kConfigurationSize);
  data[kConfigPipelines] = static_cast<uint8_t>(config.pipelines);
  for (int p = 0; p < config.pipelines; ++p) data[kConfigFlags + p] = PipelineFlagByte(config.model);
  data[kConfigDifferentialUnit] = differentialUnit;
  data[kConfigPressureUnit] = pressureUnit;
  std::memcpy(data + kConfigTransmitter1, transmitter1.data(), 5);
  std::memcpy(data + kConfigTransmitter2, transmitter2.data(), 5);
}

void BuildParameterBlock(const FlowComputerConfig& config, uint8_t* data) {
  // The limit arrays that flow computers below version 25 report here: flow limits of pipelines 1 and 2
  // at 79 (low), 87 (high) and 95 (density low), and for pipelines 1..3 pressure low, pressure high,
  // differential low and differential high at 103 + 4 p + 12 i.
  std::memset(data, 0, kParameterBlockSize);
  const DeviceByteOrder order = OrderOf(config);
  const PipelineLimits limits;
  for (int p = 0; p < 2 && p < config.pipelines; ++p) {
    StoreDeviceFloat(data + 79 + 4 * p, limits.flowLow, order);
    StoreDeviceFloat(data + 87 + 4 * p, limits.flowHigh, order);
    StoreDeviceFloat(data + 95 + 4 * p, limits.densityLow, order);
  }
  const float arrays[4] = {limits.pressureLow, limits.pressureHigh, limits.differentialLow,
                           limits.differentialHigh};
  for (int p = 0; p < 3 && p < config.pipelines; ++p) {
    for (int i = 0; i < 4; ++i) StoreDeviceFloat(data + 103 + 4 * p + 12 * i, arrays[i], order);
  }
}

void BuildBlock22(uint8_t serviceSeconds, uint8_t* data) {
  std::memset(data, 0, kBlock22Size);
  data[1] = serviceSeconds;
}

void BuildPipelineRecord(const FlowComputerConfig& config, uint8_t* record) {
  // Record byte r is response data byte r + 1; the floats sit at data bytes 7, 11 and 22 + 4 k.
  std::memset(record, 0, kPipelineRecordSize);
  const DeviceByteOrder order = OrderOf(config);
  const PipelineLimits l;
  record[1] = PipelineFlagByte(config.model);
  StoreDeviceFloat(record + 6, l.pressureHigh, order);
  StoreDeviceFloat(record + 10, l.differentialHigh, order);
  const float ranges[10] = {l.pressureLow,    l.pressureHigh,    l.differentialLow, l.differentialHigh,
                            l.temperatureLow, l.temperatureHigh, l.flowLow,         l.flowHigh,
                            l.densityLow,     l.densityHigh};
  for (int k = 0; k < 10; ++k) StoreDeviceFloat(record + 21 + 4 * k, ranges[k], order);
}

void BuildInitialStateRecord(const FlowComputerConfig& config, uint8_t* record) {
  std::memset(record, 0, kStateRecordSize);
  const DeviceByteOrder order = OrderOf(config);
  record[1] = 0x03;
  StoreDeviceFloat(record + 2, 0.0f, order);
  StoreDeviceFloat(record + 6, 1.0332f, order);
  StoreDeviceFloat(record + 10, 20.0f, order);
  StoreDeviceFloat(record + 15, 0.68f, order);
}

}  // namespace ruvenset::sim
