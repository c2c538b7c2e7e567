#include "device/service_operations.h"

#include <algorithm>

#include "common/device_models.h"
#include "device/exchange.h"
#include "device/memory_read.h"
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

// The enter request's data: pipeline, channel code, password(s), the service flag and zeros.
std::vector<uint8_t> EnterRequestData(const ConnectionRecord& record, int pipeline, uint8_t serviceFlag,
                                      int channelCode) {
  const bool parameterPassword = UsesParameterPassword(record.id);
  std::vector<uint8_t> data(parameterPassword ? 40 : 23, 0);
  data[0] = static_cast<uint8_t>(pipeline);
  data[1] = static_cast<uint8_t>(channelCode);
  std::copy_n(record.writePassword, kPasswordSize, data.begin() + 2);
  if (parameterPassword) std::copy_n(record.parameterPassword, kPasswordSize, data.begin() + 18);
  data[parameterPassword ? 34 : 18] = serviceFlag ? 0 : 1;
  return data;
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
  if (operation != kServiceEnter && operation != kServiceLeave) return Finish(ServiceResult::Failed);
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
    request.data = EnterRequestData(record, pipeline(), serviceFlag, state_.channel.code);
    state_.config.link.attempts = 1;
    const LinkStatus status = Exchange(state_, technician_, request);
    state_.config.link.attempts = savedAttempts;
    if (status != LinkOk) {
      if (!technician_.Confirm(state_.Text(2195), state_.Text(2196))) {
        enterUnanswered_ = true;
        return Finish(ServiceResult::Failed);
      }
      retried = true;
      continue;
    }
    if (!IsRefusal(state_, 0x10)) break;
    if (retried && state_.link.answer().data()[0] == kAlreadyInService) break;
    ShowRefusal(state_, technician_);
    if (!technician_.Confirm("", state_.Text(2191))) return Finish(ServiceResult::Failed);
  }
  Advance();
  step_ = Step::Read;
  return kStepMs;
}

int ServiceOperations::LeaveExchange() {
  if (WriteWithRetry(state_, technician_, LeaveServiceRequest(state_.record, pipeline())) !=
      ExchangeResult::Ok)
    return Finish(ServiceResult::Failed);
  Advance();
  step_ = Step::Read;
  return kStepMs;
}

bool ServiceOperations::ReadState(int& pipelineState) {
  const SelectResult selected = SelectLine(state_, technician_, pipeline(), false);
  if (selected == SelectResult::Selected) {
    pipelineState = state_.record.pipelineStateByte(pipeline());
    return true;
  }
  if (selected == SelectResult::Refused) return false;
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
  return Finish(ServiceResult::Succeeded);
}

int ServiceOperations::Finish(ServiceResult outcome) {
  outcome_ = outcome;
  step_ = Step::Done;
  return kServiceDone;
}

void ServiceOperations::Advance() {
  ++position_;
  if (view_) view_->SetProgress(position_ < maximum_ ? position_ : maximum_, maximum_);
}

ServiceResult ClockServiceHost::ShowModal(ServiceOperations& window) {
  window.SetView(view_);
  for (int next = window.Timer1Timer(); next != kServiceDone; next = window.Timer1Timer())
    clock_.SleepFor(static_cast<int64_t>(next) * 1'000'000);
  return window.outcome();
}

ServiceResult RunServiceOperation(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                  ServiceWindowHost& host, int operation, uint8_t serviceFlag,
                                  const std::string& panelText, const std::string& caption) {
  ServiceOperations window(state, technician, passwords);
  window.operation = operation;
  window.serviceFlag = serviceFlag;
  window.panelText = panelText;
  window.captionText = caption;
  const ServiceResult result = host.ShowModal(window);
  if (window.enterUnanswered())
    static_cast<void>(RunServiceOperation(state, technician, passwords, host, kServiceLeave, serviceFlag,
                                          panelText, caption));
  return result;
}

ServiceResult RunServiceOperation(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                  ServiceView* view, int operation, uint8_t serviceFlag,
                                  const std::string& panelText) {
  ClockServiceHost host(state.link.clock(), view);
  return RunServiceOperation(state, technician, passwords, host, operation, serviceFlag, panelText);
}

bool ReadCharacteristicConstants(ProgramState& state, Technician& technician, std::vector<uint8_t>& block) {
  const Identification& id = state.record.id;
  return ReadMemoryBlock(state, technician, CharacteristicConstantsAddress(id.type, id.version),
                         kConstantsBlockSize, state.Text(id.version < 20 ? 2926 : 3063), block);
}

}  // namespace ruvenset
