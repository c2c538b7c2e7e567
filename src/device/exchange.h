#pragma once
#include <string>

#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// One request of a procedure: the arguments of Link::Transact beyond the frame, and the text shown in
// the progress panel while it runs (empty: none).
struct Request {
  int writeRequest = 0;
  int length = 6;
  int command = 0;
  int setFirstDataByte = 0;
  int firstDataByte = 0;
  std::string progressText;
};

enum class ExchangeResult { Ok, Abandoned, Refused, LinkFailed };

// One exchange with the status texts shown while it runs; returns the link status.
LinkStatus Exchange(ProgramState& state, Technician& technician, const Request& request);

// An exchange with the retry rule of the connect sequence and the procedures: a link failure asks
// (language texts 2195 / 2196) whether to try again; No abandons.
ExchangeResult ExchangeWithRetry(ProgramState& state, Technician& technician, const Request& request);

// The same for a write that the flow computer may refuse (its answer echoes the command): the refusal
// is shown with its text in a message box, then the technician is asked (language text 2191) whether
// to send it again; No abandons.
ExchangeResult WriteWithRetry(ProgramState& state, Technician& technician, const Request& request);

// True when the response in the record's frame is a refusal of `command`.
bool IsRefusal(const ConnectionRecord& record, int command);

// Shows the refusal in the record's frame: its text in a message box captioned language text 2325.
void ShowRefusal(ProgramState& state, Technician& technician);

}  // namespace ruvenset
