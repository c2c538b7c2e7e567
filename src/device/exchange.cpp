#include "device/exchange.h"

#include "device/refusal_text.h"

namespace ruvenset {

LinkStatus Exchange(ProgramState& state, Technician& technician, const Request& request) {
  technician.SetStatusText(state.Text(2615));
  if (!request.progressText.empty()) technician.SetProgressText(request.progressText);
  LinkRequest sent;
  sent.kind = request.writeRequest ? RequestKind::Write : RequestKind::Read;
  sent.address = static_cast<uint8_t>(state.config.link.address);
  sent.command = static_cast<uint8_t>(request.command);
  sent.data = request.data;
  sent.answerData = request.answerData;
  sent.shortAnswerData = request.shortAnswerData;
  sent.exactAnswer = request.exactAnswer;
  const LinkStatus status = state.link.Transact(sent).status;
  technician.SetStatusText("");
  technician.SetProgressText("");
  return status;
}

ExchangeResult ExchangeWithRetry(ProgramState& state, Technician& technician, const Request& request) {
  while (Exchange(state, technician, request) != LinkOk) {
    if (!technician.Confirm(state.Text(2195), state.Text(2196))) return ExchangeResult::Abandoned;
  }
  return ExchangeResult::Ok;
}

bool IsRefusal(const ProgramState& state, int command) {
  return state.link.answer().IsRefusalOf(command);
}

void ShowRefusal(ProgramState& state, Technician& technician) {
  const std::span<const uint8_t> data = state.link.answer().data();
  if (data.size() < kRefusalDataSize) return;
  technician.ShowMessageBox(state.Text(2325), RefusalText(state, data[0], data[1], data[2]));
}

ExchangeResult WriteWithRetry(ProgramState& state, Technician& technician, const Request& request) {
  for (;;) {
    if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return ExchangeResult::Abandoned;
    if (!IsRefusal(state, request.command)) return ExchangeResult::Ok;
    ShowRefusal(state, technician);
    if (!technician.Confirm("", state.Text(2191))) return ExchangeResult::Refused;
  }
}

}  // namespace ruvenset
