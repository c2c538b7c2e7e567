#pragma once
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// Observes which pipelines a release took out of service mode (the CLI prints them).
class ReleaseObserver {
 public:
  virtual ~ReleaseObserver() = default;
  virtual void Released(int pipeline) = 0;
};

enum class ReleaseResult {
  Released,        // every pipeline found in service mode was taken out of it
  NoneInService,   // no pipeline was in service mode
  Abandoned,       // a refusal, or a declined retry after a link failure
  StillInService,  // a pipeline stayed in service mode and the technician stopped waiting
};

// How long a pipeline may stay in service mode after an accepted leave request before the technician
// is asked whether to keep waiting.
inline constexpr int kReleaseAskAfterMs = 60'000;

// Takes every pipeline that is in service mode out of it, waiting with a progress window until the
// flow computer reports each one back in measuring state.
[[nodiscard]] ReleaseResult ReleaseServiceMode(ProgramState& state, Technician& technician,
                                               ReleaseObserver* observer = nullptr,
                                               int askAfterMs = kReleaseAskAfterMs);

}  // namespace ruvenset
