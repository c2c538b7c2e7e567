#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// One request of a procedure, sent to the configured address, and the text shown in the progress panel
// while it runs (empty: none).
struct Request {
  int writeRequest = 0;  // nonzero: a write, which the flow computer may refuse
  int command = 0;
  std::vector<uint8_t> data;  // the request's data bytes; the frame is six bytes longer
  // The data bytes the reader of the answer needs; an answer with fewer is a wrong answer.
  int answerData = 0;
  int shortAnswerData = -1;  // an answer of exactly this many data bytes is good too
  bool exactAnswer = false;  // only an answer of exactly answerData bytes is good (memory reads)
  std::string progressText;
};

enum class ExchangeResult { Ok, Abandoned, Refused, LinkFailed };

// One exchange with the status texts shown while it runs; returns the link status. The answer is
// then `state.link.answer()`, with at least `answerData` data bytes.
LinkStatus Exchange(ProgramState& state, Technician& technician, const Request& request);

// An exchange with the retry rule of the connect sequence and the procedures: a link failure asks
// (language texts 2195 / 2196) whether to try again; No abandons.
ExchangeResult ExchangeWithRetry(ProgramState& state, Technician& technician, const Request& request);

// The same for a write that the flow computer may refuse (its answer echoes the command): the refusal
// is shown with its text in a message box, then the technician is asked (language text 2191) whether
// to send it again; No abandons.
ExchangeResult WriteWithRetry(ProgramState& state, Technician& technician, const Request& request);

// True when the last answer is a refusal of `command`.
bool IsRefusal(const ProgramState& state, int command);

// Shows the refusal of the last answer: its text in a message box captioned language text 2325.
void ShowRefusal(ProgramState& state, Technician& technician);

}  // namespace ruvenset
