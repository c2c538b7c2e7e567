#include "device/connect_sequence.h"

#include <cstring>

#include "device/derived_values.h"
#include "device/identify.h"
#include "device/passwords.h"
#include "device/read_configuration.h"

namespace ruvenset {
namespace {

ConnectOutcome Fail(ProgramState& state, Technician& technician, ConnectOutcome outcome) {
  technician.SetConnectionText("");
  state.ClosePort();
  return outcome;
}

}  // namespace

ConnectOutcome RunConnectSequence(ProgramState& state, Technician& technician, PasswordPrompt& passwords) {
  state.connected = false;
  state.record = ConnectionRecord{};
  state.memoryMirror.Forget();  // another flow computer may answer this time
  for (;;) {
    const IdentifyResult identified = Identify(state, technician);
    if (identified == IdentifyResult::Served) break;
    if (identified == IdentifyResult::Refused) return Fail(state, technician, ConnectOutcome::Refused);
    if (!technician.Confirm(state.Text(2195), state.Text(2196)))
      return Fail(state, technician, ConnectOutcome::Abandoned);
  }
  if (AskWritePassword(state.record, passwords, true) != PasswordResult::Given ||
      ReadConfiguration(state, technician) != ReadResult::Read ||
      ReadIdentificationText(state, technician) != ReadResult::Read)
    return Fail(state, technician, ConnectOutcome::Abandoned);
  ComputeDerivedValues(state.record, state.link.runtime().preambleInRts);
  state.connected = true;
  state.config.waitForUser = 0;
  return ConnectOutcome::Connected;
}

}  // namespace ruvenset
