#include "common/trimmed_text.h"

namespace ruvenset {

std::string Trimmed(std::string_view text, std::string_view padding) {
  const size_t first = text.find_first_not_of(padding);
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(padding) - first + 1));
}

}  // namespace ruvenset
