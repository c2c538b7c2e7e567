// The libFuzzer entry of one target, chosen when the program is built (RUVENSET_FUZZ_TARGET).
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ruvenset::fuzz::RUVENSET_FUZZ_TARGET(data, size);
}
