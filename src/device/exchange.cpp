#include "device/exchange.h"

#include "device/refusal_text.h"

namespace ruvenset {

LinkStatus Exchange(ProgramState& state, Technician& technician, const Request& request) {
  technician.SetStatusText(state.Text(2615));
  if (!request.progressText.empty()) technician.SetProgressText(request.progressText);
  const LinkStatus status =
      state.link.Transact(state.record.frame, request.writeRequest, request.length, request.command, 1,
                          request.setFirstDataByte, request.firstDataByte, state.config.link.address);
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

bool IsRefusal(const ConnectionRecord& record, int command) {
  return record.frame.responseCommand() == command;
}

void ShowRefusal(ProgramState& state, Technician& technician) {
  const uint8_t* data = state.record.frame.responseData();
  technician.ShowMessageBox(state.Text(2325), RefusalText(state, data[0], data[1], data[2]));
}

ExchangeResult WriteWithRetry(ProgramState& state, Technician& technician, const Request& request) {
  for (;;) {
    if (ExchangeWithRetry(state, technician, request) != ExchangeResult::Ok) return ExchangeResult::Abandoned;
    if (!IsRefusal(state.record, request.command)) return ExchangeResult::Ok;
    ShowRefusal(state, technician);
    if (!technician.Confirm("", state.Text(2191))) return ExchangeResult::Refused;
  }
}

}  // namespace ruvenset
