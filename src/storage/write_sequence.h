#pragma once
#include <string>

#include "session/program_state.h"
#include "session/technician.h"
#include "storage/write_back_checks.h"
#include "storage/write_back_pages.h"
#include "storage/write_plan.h"

namespace ruvenset {

// Builds the write request of one step (command 0x14 with 0xBB) in the record's frame: channel code,
// write password, address in the flow computer's byte order, record kind, table, first record and the
// data. Returns the request length (data + 29).
std::vector<uint8_t> WriteRequestData(const ConnectionRecord& record, uint8_t channelCode,
                                      const WriteStep& step);

// The write window's bar maximum for the section: a base by channel, model and version, raised by one
// per table beyond the first and per further group of segment records.
int WriteProgressMaximum(CalibrationSection section, const WriteBackTarget& target, const WritePlan& plan);

enum class SequenceEnd { Completed, LinkAbandoned, RefusalAbandoned };

// The logic of the write window TForm81: its timer handler runs the whole plan, one write per step.
// Before each step the bar advances and the progress panel shows the step number (language text 1193);
// a link failure asks whether to repeat the write, a refusal is shown and asked about; No ends the
// sequence. Each accepted write is stored in the program's memory mirror.
class WriteSequence {
 public:
  WriteSequence(ProgramState& state, Technician& technician, WriteBackPages& pages, const WritePlan& plan,
                int maximum)
      : state_(state), technician_(technician), pages_(pages), plan_(plan), maximum_(maximum) {}

  SequenceEnd Timer1Timer(WriteProgressView& view);

  int stepsWritten() const { return stepCounter_ - 1; }
  // The refusal that ended the sequence, in the technician's language; empty otherwise.
  const std::string& refusalText() const { return refusalText_; }

 private:
  ProgramState& state_;
  Technician& technician_;
  WriteBackPages& pages_;
  const WritePlan& plan_;
  int maximum_;
  int stepCounter_ = 1;
  std::string refusalText_;
};

}  // namespace ruvenset
