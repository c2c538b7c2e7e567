#include "storage/adc_parameters_read.h"

#include <algorithm>

#include "device/memory_read.h"
#include "storage/device_tables.h"

namespace ruvenset {
namespace {

bool ReadBlock(ProgramState& state, Technician& technician, uint16_t address, uint8_t* out) {
  std::vector<uint8_t> bytes;
  if (!ReadMemoryBlock(state, technician, address, kAdcBlockData + 2, state.Text(1573), bytes)) return false;
  state.memoryMirror.Store(address, bytes.data(), bytes.size());
  std::copy(bytes.begin(), bytes.begin() + kAdcBlockData, out);
  return true;
}

}  // namespace

bool ReadAdcBlocks(ProgramState& state, Technician& technician, int selector, AdcBlocks& blocks) {
  const int model = state.record.id.type;
  const bool second = HasSecondAdcBlock(model);
  if (!(selector == 2 && second) && !ReadBlock(state, technician, kMainAdcBlock, blocks.main)) return false;
  if (second && (selector >= 2 || model == 7) &&
      !ReadBlock(state, technician, kSecondAdcBlock, blocks.second))
    return false;
  return true;
}

}  // namespace ruvenset
