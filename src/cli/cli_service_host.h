#pragma once
#include "device/service_operations.h"
#include "session/program_state.h"

namespace ruvenset::cli {

// The service operations of the command line: run to their end on the link's clock, with the leave
// request kept ready for a second Ctrl-C from the moment an enter request may go out until the flow
// computer has accepted a leave request.
class CliServiceHost final : public ServiceWindowHost {
 public:
  explicit CliServiceHost(ProgramState& state) : state_(state), clock_(state.link.clock()) {}
  ~CliServiceHost() override;
  CliServiceHost(const CliServiceHost&) = delete;
  CliServiceHost& operator=(const CliServiceHost&) = delete;

  ServiceResult ShowModal(ServiceOperations& window) override;

 private:
  void Arm();

  ProgramState& state_;
  ClockServiceHost clock_;
};

}  // namespace ruvenset::cli
