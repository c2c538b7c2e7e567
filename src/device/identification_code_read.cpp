#include "device/identification_code_read.h"

#include <vector>

#include "device/memory_read.h"

namespace ruvenset {

std::optional<uint32_t> ReadIdentificationCode(ProgramState& state, Technician& technician) {
  std::vector<uint8_t> bytes;
  const bool read =
      ReadMemoryBlock(state, technician, kIdentificationCodeAddress, 4, state.Text(1136), bytes);
  technician.SetProgressText("");
  if (!read) return std::nullopt;
  return DeviceLongAt(bytes.data(), state.record.id.byteOrder);
}

}  // namespace ruvenset
