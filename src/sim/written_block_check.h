#pragma once
#include <cstddef>
#include <cstdint>

#include "sim/memory_map.h"

namespace ruvenset::sim {

// True when the data of a write-memory request of this record kind is a whole block (its length agrees
// with its count byte or its fixed size) whose check bytes hold; segment records are checked one by one.
bool WrittenBlockValid(RecordKind kind, const uint8_t* data, size_t size);

}  // namespace ruvenset::sim
