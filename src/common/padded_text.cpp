#include "common/padded_text.h"

namespace ruvenset {

std::string WithoutPadding(const std::string& text) {
  const auto padding = [](char c) { return c == ' ' || c == '\0'; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && padding(text[first])) ++first;
  while (last > first && padding(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace ruvenset
