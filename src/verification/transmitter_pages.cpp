#include "verification/transmitter_pages.h"

#include "verification/transmitter_link.h"

namespace ruvenset {

TransmitterPagesResult ChooseReferenceTransmitter(ProgramState& state, Technician& technician,
                                                  VerificationPages& pages, const std::string& caption,
                                                  const PortOpener& opener, TransmitterChoice& choice,
                                                  HartLink& link) {
  TransmitterPage page;
  page.caption = caption;
  page.portChoiceEnabled = !SharesFlowComputerLine(state.record.id.type);
  page.preset = choice;
  for (;;) {
    const std::optional<TransmitterChoice> chosen = pages.AskTransmitter(page);
    if (!chosen) return TransmitterPagesResult::Cancelled;
    page.preset = *chosen;
    if (!ValidPollingAddress(chosen->address)) continue;
    choice = *chosen;
    if (OpenTransmitterLink(state, technician, *chosen, opener, link)) break;
  }
  if (choice.type == kTransmitter3095) {
    ChoiceRequest variable;
    variable.caption = caption;
    variable.items = {"1", "2", "3", "4"};
    variable.preselected = choice.variable;
    variable.acceptText = state.Text(2279);
    variable.cancelText = state.Text(2614);
    const std::optional<int> reported = pages.AskTransmitterVariable(variable);
    if (!reported || *reported < 0 || *reported > 3) return TransmitterPagesResult::Cancelled;
    choice.variable = *reported;
  }
  link.SetTarget(choice.address, choice.type, choice.variable);
  return TransmitterPagesResult::Chosen;
}

}  // namespace ruvenset
