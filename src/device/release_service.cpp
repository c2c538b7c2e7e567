#include "device/release_service.h"

#include <algorithm>

#include "device/pipeline_state.h"

namespace ruvenset {
namespace {

constexpr int kStepMs = 500;

// SelectLine with the retry question; false when the procedure ends.
bool Select(ProgramState& state, Technician& technician, int pipeline, bool showPanel) {
  for (;;) {
    const int result = SelectLine(state, technician, pipeline, showPanel);
    if (result == kSelectOk) return true;
    if (result == kSelectRefused) return false;
    if (!technician.Confirm(state.Text(2195), state.Text(2196))) return false;
  }
}

}  // namespace

void ReleaseServiceMode(ProgramState& state, Technician& technician, ReleaseObserver* observer) {
  ConnectionRecord& record = state.record;
  bool anyInService = false;
  for (int i = 1; i <= record.pipelineCount(); ++i) {
    if (!Select(state, technician, i, false)) return;
    if (record.pipelineStateByte(i) != 3) continue;
    anyInService = true;
    if (LeaveServiceMode(state, technician, i) != 0) return;
    // m steps of 500 ms: the flow computer's own time to leave service mode (at least one step).
    const int m = std::max<int>(record.block22[1], 1);
    auto progress = technician.OpenProgress(state.Text(2287), state.Text(2257), 4 * m);
    do {
      for (int k = 0; k < 2 * m; ++k) {
        technician.Pause(kStepMs);
        progress->Advance(1);
      }
      if (!Select(state, technician, i, true)) return;
    } while (record.pipelineStateByte(i) == 3);
    if (observer) observer->Released(i);
  }
  if (!anyInService) technician.ShowMessageWindow(state.Text(2325), state.Text(2258), state.Text(2279));
}

}  // namespace ruvenset
