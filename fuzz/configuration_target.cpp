#include <string>

#include "fuzz_targets.h"
#include "link/configuration.h"

namespace ruvenset::fuzz {

// Whatever text was read, the configuration written back reads as the same configuration.
int FuzzConfiguration(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string written = FormatConfiguration(ParseConfiguration(text));
  Require(FormatConfiguration(ParseConfiguration(written)) == written);
  return 0;
}

}  // namespace ruvenset::fuzz
