#include "common/file_extension.h"

namespace ruvenset {
namespace {

bool Separator(char c) {
  return c == ';' || c == ' ' || c == ',';
}

bool PlainExtension(std::string_view ext) {
  if (ext.empty()) return false;
  for (char c : ext) {
    if (c == '*' || c == '?' || c == '[' || c == '.' || c == '/') return false;
  }
  return true;
}

}  // namespace

std::string FilterExtension(std::string_view patterns) {
  size_t at = 0;
  while (at < patterns.size()) {
    while (at < patterns.size() && Separator(patterns[at])) ++at;
    size_t end = at;
    while (end < patterns.size() && !Separator(patterns[end])) ++end;
    const std::string_view pattern = patterns.substr(at, end - at);
    if (pattern.size() > 2 && pattern.substr(0, 2) == "*." && PlainExtension(pattern.substr(2)))
      return std::string(pattern.substr(2));
    at = end;
  }
  return {};
}

}  // namespace ruvenset
