#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The data of the read-memory request (command 0x13 with 0xBB): the address in the flow computer's byte
// order, then the count.
std::vector<uint8_t> MemoryReadRequestData(const ConnectionRecord& record, uint16_t address, uint8_t count);

// Reads count bytes of the flow computer's memory at address, with `panelText` in the progress panel
// while it runs. A link failure asks whether to try again and a refusal is shown and asked about, as for
// every write; No ends with false. Only an answer of exactly count bytes is taken. On success `out`
// holds the bytes.
bool ReadMemoryBlock(ProgramState& state, Technician& technician, uint16_t address, uint8_t count,
                     const std::string& panelText, std::vector<uint8_t>& out);

}  // namespace ruvenset
