#include "storage/sch_entry.h"

#include <charconv>
#include <cmath>

namespace ruvenset {

bool SchEntry::Edit1KeyPress(char32_t key) {
  return (key >= U'0' && key <= U'9') || key == U'.' || key == U'-' || key == U'\b';
}

bool ParseEntryNumber(const std::string& text, float& value) {
  // Independent of the process locale: the decimal separator is always ".".
  double parsed = 0;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, parsed, std::chars_format::fixed);
  if (error != std::errc() || last != end || !std::isfinite(parsed)) return false;
  value = static_cast<float>(parsed);
  return std::isfinite(value);
}

SchOutcome SchEntry::BitBtn1Click(const std::string& text1, const std::string& text2,
                                  std::array<float, 2>& values) const {
  const auto within = [](const SchField& f, const std::string& text, float& v) {
    return ParseEntryNumber(text, v) && !(v < f.lower) && !(v > f.upper);
  };
  std::array<float, 2> read{};
  if (!within(fields[0], text1, read[0])) return SchOutcome::FocusEdit1;
  if (!within(fields[1], text2, read[1])) return SchOutcome::FocusEdit2;
  values = read;
  return SchOutcome::Accept;
}

}  // namespace ruvenset
