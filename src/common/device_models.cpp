#include "common/device_models.h"

#include <array>

namespace ruvenset {
namespace {

// The models the program knows something particular about.
constexpr std::array<DeviceModel, 8> kModels = {{
    {.type = 3, .markers = true, .preambleInRts = true, .sharedLine = true},
    {.type = 7,
     .markers = true,
     .preambleInRts = true,
     .sharedLine = true,
     .diffPressureCode = true,
     .noTemperatureWithSplitDiffPressure = true},
    {.type = 8, .markers = true, .preambleInRts = true, .sharedLine = true},
    {.type = 9,
     .markers = true,
     .preambleInRts = true,
     .sharedLine = true,
     .refusedText = 2866,
     .zeroesDirectly = true,
     .singleTos = true},
    {.type = 16,
     .markers = true,
     .preambleInRts = true,
     .sharedLine = true,
     .diffPressureCode = true,
     .splitAdcBlocks = true,
     .noTemperatureWithSplitDiffPressure = true},
    {.type = 18,
     .markers = true,
     .preambleInRts = true,
     .rtsHoldWithoutPreambles = true,
     .sharedLine = true,
     .requestPause = true,
     .newConstantsAddress = true,
     .refusedText = 2867,
     .diffPressureCode = true,
     .measurementBlock = true,
     .splitAdcBlocks = true},
    {.type = 19, .zeroesDirectly = true},
    {.type = 20,
     .markers = true,
     .preambleInRts = true,
     .sharedLine = true,
     .requestPause = true,
     .longMemoryReadFrom = 35,
     .newConstantsAddress = true,
     .refusedText = 2867,
     .refusedSuffix = "20",
     .diffPressureCode = true,
     .measurementBlock = true,
     .splitAdcBlocks = true,
     .noAdcBlocks = true},
}};

constexpr uint16_t kConstantsAddress = 0x1F16;
constexpr uint16_t kOldConstantsAddress = 0x1F0A;

}  // namespace

DeviceModel ModelOf(int type) {
  for (const DeviceModel& model : kModels) {
    if (model.type == type) return model;
  }
  return DeviceModel{.type = type};
}

uint16_t CharacteristicConstantsAddress(int type, int version) {
  return ModelOf(type).newConstantsAddress || version >= 20 ? kConstantsAddress : kOldConstantsAddress;
}

int MemoryReadDataSize(int type, int version) {
  const int from = ModelOf(type).longMemoryReadFrom;
  return from != 0 && version >= from ? 4 : 3;
}

}  // namespace ruvenset
