#include "device/release_service.h"

#include <algorithm>

#include "device/pipeline_state.h"

namespace ruvenset {
namespace {

constexpr int kStepMs = 500;

// SelectLine with the retry question; false when the procedure ends.
bool Select(ProgramState& state, Technician& technician, int pipeline, bool showPanel) {
  for (;;) {
    const SelectResult result = SelectLine(state, technician, pipeline, showPanel);
    if (result == SelectResult::Selected) return true;
    if (result == SelectResult::Refused) return false;
    if (!technician.Confirm(state.Text(2195), state.Text(2196))) return false;
  }
}

}  // namespace

ReleaseResult ReleaseServiceMode(ProgramState& state, Technician& technician, ReleaseObserver* observer,
                                 int askAfterMs) {
  ConnectionRecord& record = state.record;
  bool anyInService = false;
  for (int i = 1; i <= record.pipelineCount(); ++i) {
    if (!Select(state, technician, i, false)) return ReleaseResult::Abandoned;
    if (record.pipelineStateByte(i) != 3) continue;
    anyInService = true;
    if (LeaveServiceMode(state, technician, i) != PipelineResult::Done) return ReleaseResult::Abandoned;
    // m steps of 500 ms: the flow computer's own time to leave service mode (at least one step).
    const int m = std::max<int>(record.block22[1], 1);
    auto progress = technician.OpenProgress(state.Text(2287), state.Text(2257), 4 * m);
    int waitedMs = 0;
    for (;;) {
      for (int k = 0; k < 2 * m && waitedMs < askAfterMs; ++k) {
        technician.Pause(kStepMs);
        progress->Advance(1);
        waitedMs += kStepMs;
      }
      if (!Select(state, technician, i, true)) return ReleaseResult::Abandoned;
      if (record.pipelineStateByte(i) != 3) break;
      if (waitedMs < askAfterMs) continue;
      // A flow computer that accepted the request but keeps the pipeline in service mode would hold
      // the technician here for ever: ask whether to wait another while.
      if (!technician.Confirm(state.Text(2325), state.texts.FormatText(3100, {i}))) {
        progress.reset();
        technician.ShowMessageBox(state.Text(2325), state.texts.FormatText(3101, {i}));
        return ReleaseResult::StillInService;
      }
      waitedMs = 0;
    }
    if (observer) observer->Released(i);
  }
  if (anyInService) return ReleaseResult::Released;
  technician.ShowMessageWindow(state.Text(2325), state.Text(2258), state.Text(2279));
  return ReleaseResult::NoneInService;
}

}  // namespace ruvenset
