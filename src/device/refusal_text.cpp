#include "device/refusal_text.h"

namespace ruvenset {
namespace {

bool TakesNoArgument(int code) {
  static const int kRanges[][2] = {{0, 10},    {16, 27},   {29, 33},   {49, 49},   {53, 53},   {57, 60},
                                   {65, 65},   {68, 70},   {84, 87},   {114, 114}, {116, 116}, {119, 133},
                                   {136, 136}, {145, 145}, {148, 148}, {150, 150}, {158, 255}};
  for (const auto& r : kRanges) {
    if (code >= r[0] && code <= r[1]) return true;
  }
  return false;
}

}  // namespace

std::string RefusalText(const ProgramState& state, int code, int a, int b) {
  const LanguageTexts& t = state.texts;
  const int id = 1914 + code;
  std::string detail;
  if (TakesNoArgument(code)) {
    detail = t.FormatText(id, {});
  } else if (code == 12 || code == 62) {
    detail = t.FormatText(id, {b, a + 1});
  } else if (code == 39) {
    const bool lowBits = (state.record.pipelineParameterByte(a) & 0x1F) != 0;
    detail = t.FormatText(id, {t.Text(lowBits ? 1838 : 1837), a + 1});
  } else if (code == 66 || code == 67 || code == 115) {
    detail = t.FormatText(id, {a});
  } else if (code == 118) {
    detail = t.FormatText(id, {b + 1, a + 1});
  } else if (code == 155) {
    detail = t.FormatText(id, {t.Text(2075 + b), a + 1});
  } else if (code == 157) {
    detail = t.FormatText(id, {t.Text(1398 + b), a + 1});
  } else {
    detail = t.FormatText(id, {a + 1});
  }
  return t.Text(2362) + detail;
}

}  // namespace ruvenset
