#include "shell/connection_summary.h"

#include "common/trimmed_text.h"
#include "shell/connect_operation.h"

namespace ruvenset {

std::vector<SummaryLine> ConnectionSummary(const ProgramState& state) {
  if (!state.connected || state.linkMode != 1) return {};
  const Identification& id = state.record.id;
  std::string type = std::to_string(id.type);
  if (id.extended) type += " (" + std::to_string(id.type + 6) + ")";
  const bool msbFirst = id.byteOrder == DeviceByteOrder::MsbFirst;
  return {
      {state.Text(3124), type},
      {state.Text(3125), state.texts.FormatText(3126, {id.version, id.revision})},
      {state.Text(3127), Trimmed(state.record.identificationText, kDeviceTextPadding)},
      {state.Text(3128), std::to_string(state.record.pipelineCount())},
      {state.Text(3129), state.Text(msbFirst ? 3130 : 3131)},
      {state.Text(3132), ConnectionPanelText(state)},
  };
}

}  // namespace ruvenset
