#include "verification/service_operations.h"

#include <cstring>

#include "device/exchange.h"
#include "device/passwords.h"
#include "device/pipeline_state.h"

namespace ruvenset {
namespace {

constexpr int kStepMs = 500;
constexpr uint8_t kAlreadyInService = 0x3B;
constexpr int kConstantsBlockSize = 26;

bool UsesParameterPassword(const Identification& id) {
  return id.version >= 30 && (id.data(40) & 0x80);
}

// Places the enter request's data in the frame and returns its length.
int BuildEnterRequest(ConnectionRecord& record, uint8_t serviceFlag, int channelCode) {
  uint8_t* request = record.frame.request();
  std::memset(request + 5, 0, 44);
  request[5] = static_cast<uint8_t>(channelCode);
  std::memcpy(request + 6, record.writePassword, kPasswordSize);
  const uint8_t flag = serviceFlag ? 0 : 1;
  if (UsesParameterPassword(record.id)) {
    std::memcpy(request + 22, record.parameterPassword, kPasswordSize);
    request[38] = flag;
    return 46;
  }
  request[22] = flag;
  return 29;
}

}  // namespace

int ServiceOperations::Timer1Timer() {
  switch (step_) {
    case Step::Start:
      return StartStep();
    case Step::Exchange:
      return operation == kServiceEnter ? EnterExchange() : LeaveExchange();
    case Step::Read:
      return operation == kServiceEnter ? EnterRead() : LeaveRead();
    case Step::Again:
      Advance();
      step_ = Step::Read;
      return kStepMs;
    case Step::Fill:
      return Fill(operation == kServiceEnter ? maximum_ : maximum_ - 2);
    case Step::Done:
      break;
  }
  return kServiceDone;
}

int ServiceOperations::StartStep() {
  if (operation != kServiceEnter && operation != kServiceLeave) return Finish(kServiceFailed);
  if (view_) view_->SetPanelText(panelText);
  if (operation == kServiceEnter && UsesParameterPassword(state_.record.id))
    AskParameterPassword(state_.record, passwords_);
  maximum_ = 2 * state_.record.pipelineCount() + 2;
  position_ = 0;
  Advance();
  step_ = Step::Exchange;
  return kStepMs;
}

int ServiceOperations::EnterExchange() {
  ConnectionRecord& record = state_.record;
  const uint8_t savedAttempts = state_.config.link.attempts;
  bool retried = false;
  for (;;) {
    Request request;
    request.writeRequest = 1;
    request.command = 0x10;
    request.setFirstDataByte = 1;
    request.firstDataByte = pipeline();
    request.length = BuildEnterRequest(record, serviceFlag, state_.channel.code);
    state_.config.link.attempts = 1;
    const LinkStatus status = Exchange(state_, technician_, request);
    state_.config.link.attempts = savedAttempts;
    if (status != LinkOk) {
      if (!technician_.Confirm(state_.Text(2195), state_.Text(2196))) {
        enterUnanswered_ = true;
        return Finish(kServiceFailed);
      }
      retried = true;
      continue;
    }
    if (!IsRefusal(record, 0x10)) break;
    if (retried && record.frame.responseData()[0] == kAlreadyInService) break;
    ShowRefusal(state_, technician_);
    if (!technician_.Confirm("", state_.Text(2191))) return Finish(kServiceFailed);
  }
  Advance();
  step_ = Step::Read;
  return kStepMs;
}

int ServiceOperations::LeaveExchange() {
  ConnectionRecord& record = state_.record;
  Request request;
  request.writeRequest = 1;
  request.length = 23;
  request.command = 0x11;
  request.setFirstDataByte = 1;
  request.firstDataByte = pipeline();
  std::memcpy(record.frame.request() + 5, record.writePassword, kPasswordSize);
  if (WriteWithRetry(state_, technician_, request) != ExchangeResult::Ok) return Finish(kServiceFailed);
  Advance();
  step_ = Step::Read;
  return kStepMs;
}

bool ServiceOperations::ReadState(int& pipelineState) {
  const int selected = SelectLine(state_, technician_, pipeline(), false);
  if (selected == kSelectOk) {
    pipelineState = state_.record.pipelineStateByte(pipeline());
    return true;
  }
  if (selected == kSelectRefused) return false;
  if (!technician_.Confirm(state_.Text(2195), state_.Text(2196))) return false;
  // The technician asked to try again: the state is unknown until the next read.
  pipelineState = -1;
  return true;
}

int ServiceOperations::EnterRead() {
  int pipelineState = 0;
  if (!ReadState(pipelineState) || pipelineState > 0) {
    step_ = Step::Fill;
    return Timer1Timer();
  }
  Advance();
  return kStepMs;
}

int ServiceOperations::LeaveRead() {
  int pipelineState = 0;
  const bool goOn = ReadState(pipelineState);
  Advance();
  step_ = goOn && (pipelineState == 3 || pipelineState < 0) ? Step::Again : Step::Fill;
  return kStepMs;
}

int ServiceOperations::Fill(int target) {
  if (position_ < target) {
    Advance();
    return kStepMs;
  }
  return Finish(kServiceSucceeded);
}

int ServiceOperations::Finish(int modalResult) {
  modalResult_ = modalResult;
  step_ = Step::Done;
  return kServiceDone;
}

void ServiceOperations::Advance() {
  ++position_;
  if (view_) view_->SetProgress(position_ < maximum_ ? position_ : maximum_, maximum_);
}

int ClockServiceHost::ShowModal(ServiceOperations& window) {
  window.SetView(view_);
  for (int next = window.Timer1Timer(); next != kServiceDone; next = window.Timer1Timer())
    clock_.SleepFor(static_cast<int64_t>(next) * 1'000'000);
  return window.modalResult();
}

int RunServiceOperation(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                        ServiceWindowHost& host, int operation, uint8_t serviceFlag,
                        const std::string& panelText) {
  ServiceOperations window(state, technician, passwords);
  window.operation = operation;
  window.serviceFlag = serviceFlag;
  window.panelText = panelText;
  const int result = host.ShowModal(window);
  if (window.enterUnanswered())
    (void)RunServiceOperation(state, technician, passwords, host, kServiceLeave, serviceFlag, panelText);
  return result;
}

int RunServiceOperation(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                        ServiceView* view, int operation, uint8_t serviceFlag, const std::string& panelText) {
  ClockServiceHost host(state.link.clock(), view);
  return RunServiceOperation(state, technician, passwords, host, operation, serviceFlag, panelText);
}

int CharacteristicConstantsAddress(const Identification& id) {
  return id.type == 18 || id.type == 20 || id.version >= 20 ? 0x1F16 : 0x1F0A;
}

bool ReadCharacteristicConstants(ProgramState& state, Technician& technician, std::vector<uint8_t>& block) {
  ConnectionRecord& record = state.record;
  const Identification& id = record.id;
  Request request;
  request.writeRequest = 1;
  request.command = 0x13;
  request.length = id.type == 20 && id.version >= 35 ? 10 : 9;
  request.progressText = state.Text(id.version < 20 ? 2926 : 3063);
  uint8_t* data = record.frame.requestData();
  std::memset(data, 0, 4);
  StoreDeviceWord(data, static_cast<uint16_t>(CharacteristicConstantsAddress(id)), id.byteOrder);
  data[2] = kConstantsBlockSize;
  if (WriteWithRetry(state, technician, request) != ExchangeResult::Ok) return false;
  const int size = record.frame.responseLength() - 6;
  const uint8_t* bytes = record.frame.responseData();
  block.assign(bytes, bytes + (size > 0 ? size : 0));
  return true;
}

}  // namespace ruvenset
