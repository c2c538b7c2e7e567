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

enum class [[nodiscard]] ReleaseResult{Released, NoneInService, Abandoned};

// Takes every pipeline that is in service mode out of it, waiting with a progress window until the
// flow computer reports each one back in measuring state.
ReleaseResult ReleaseServiceMode(ProgramState& state, Technician& technician,
                                 ReleaseObserver* observer = nullptr);

}  // namespace ruvenset
