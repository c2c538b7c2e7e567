#include "sim/flow_computer_config.h"

#include "common/code_page.h"

namespace ruvenset::sim {

std::array<uint8_t, 16> PaddedDeviceText(const std::string& utf8) {
  std::array<uint8_t, 16> text;
  text.fill(' ');
  const std::string cp1251 = Utf8ToCp1251(utf8);
  for (size_t i = 0; i < cp1251.size() && i < text.size(); ++i) {
    text[i] = Cp1251ToCp866(static_cast<uint8_t>(cp1251[i]));
  }
  return text;
}

uint8_t PipelineFlagByte(int model) {
  return model == 7 ? 0x00 : 0x80;
}

}  // namespace ruvenset::sim
