#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_order.h"
#include "device/device_prompts.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The flow computer's characteristic constants: slopes and offsets of the pressure and
// differential-pressure characteristics (24 bytes, floats in the flow computer's byte order) followed
// by their 2 check bytes.
inline constexpr int kConstantsCovered = 24;
inline constexpr int kConstantsBlockSize = kConstantsCovered + 2;
inline constexpr int kPressureOffsetAt = 0;
inline constexpr int kPressureSlopeAt = 4;
inline constexpr int kDiffPressureOffsetAt = 8;
inline constexpr int kDiffPressureSlopeAt = 12;

struct ConstantsBlock {
  std::array<uint8_t, kConstantsBlockSize> bytes{};

  float At(int offset, DeviceByteOrder order) const { return DeviceFloatAt(bytes.data() + offset, order); }
  void Put(int offset, float value, DeviceByteOrder order) {
    StoreDeviceFloat(bytes.data() + offset, value, order);
  }
  // Recomputes the check bytes over the 24 bytes of values.
  void Seal();
};
static_assert(sizeof(ConstantsBlock) == kConstantsBlockSize);

// Takes the block from the data of a read-memory answer: only a whole block whose check bytes hold.
bool AcceptConstantsBlock(const uint8_t* data, int size, ConstantsBlock& out);

enum class ConstantsRead { Ok, Abandoned, Damaged };

// Reads the block (read-memory request, with the link-error and refusal questions) and accepts it.
[[nodiscard]] ConstantsRead ReadConstantsBlock(ProgramState& state, Technician& technician,
                                               ConstantsBlock& out);

// Where the offset that a zero setting corrects lies in the block: flow computers below version 20
// keep only the differential-pressure offset; later ones one offset per channel (code 0 or 2).
int ZeroOffsetAt(int version, int channelCode);

enum class ConstantsWrite { Written, Abandoned, Refused };

// Writes the block back (write-memory request, command 0x14): pipeline 1, the channel code (0 or 2),
// the write password, the block's address, record kind 7 and the block with its check bytes. A link
// failure or a refusal asks whether to send it again.
[[nodiscard]] ConstantsWrite WriteConstantsBlock(ProgramState& state, Technician& technician, int channelCode,
                                                 int address, const ConstantsBlock& block,
                                                 const std::string& progressText);

// The lines of the slope and offset window for the block.
std::vector<std::string> SlopeOffsetLines(const ProgramState& state, const ConstantsBlock& block);

enum class SlopeOffsetResult { Shown, NotRead };

// Reads the block and shows it in the information window captioned "Наклон НСХП и смещение".
[[nodiscard]] SlopeOffsetResult ShowSlopeAndOffset(ProgramState& state, Technician& technician,
                                                   ValuePrompts& prompts);

}  // namespace ruvenset
