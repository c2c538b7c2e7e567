#include "shell/connection_summary.h"

#include "shell/connect_operation.h"

namespace ruvenset {
namespace {

// The identification text without the blanks and zero bytes that pad it.
std::string Trimmed(const std::string& text) {
  const auto padding = [](char c) { return c == ' ' || c == '\0'; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && padding(text[first])) ++first;
  while (last > first && padding(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

std::vector<SummaryLine> ConnectionSummary(const ProgramState& state) {
  if (!state.connected || state.linkMode != 1) return {};
  const Identification& id = state.record.id;
  std::string type = std::to_string(id.type);
  if (id.extended) type += " (" + std::to_string(id.type + 6) + ")";
  const bool msbFirst = id.byteOrder == DeviceByteOrder::MsbFirst;
  return {
      {state.Text(3124), type},
      {state.Text(3125), state.texts.FormatText(3126, {id.version, id.revision})},
      {state.Text(3127), Trimmed(state.record.identificationText)},
      {state.Text(3128), std::to_string(state.record.pipelineCount())},
      {state.Text(3129), state.Text(msbFirst ? 3130 : 3131)},
      {state.Text(3132), ConnectionPanelText(state)},
  };
}

}  // namespace ruvenset
