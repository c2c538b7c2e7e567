#pragma once
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// How a read of the connect sequence ended: read, or abandoned (a declined retry, a refusal).
enum class [[nodiscard]] ReadResult{Read, Abandoned};

// Whether pipeline p's (0-based) parameter record is read at connect.
bool ReadsPipelineParameters(const ConnectionRecord& record, int preambleInRts, int p);

// Reads the configuration block, the parameter block, the 31-byte block, the pipeline parameter
// records and the pipeline state records; offers to take pipelines left in service mode out of it.
ReadResult ReadConfiguration(ProgramState& state, Technician& technician);

// Reads pipeline i's (1..n) 63-byte parameter record (command 0x1C, or 0x1E for software versions
// below 25) with the retry rule.
ReadResult ReadPipelineParameters(ProgramState& state, Technician& technician, int pipeline);

// Reads the parameter record of every pipeline whose record is read at connect.
ReadResult ReadAllPipelineParameters(ProgramState& state, Technician& technician);

// Reads the identification text (command 0x01).
ReadResult ReadIdentificationText(ProgramState& state, Technician& technician);

}  // namespace ruvenset
