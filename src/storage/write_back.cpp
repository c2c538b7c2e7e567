#include "storage/write_back.h"

#include "device/exchange.h"
#include "device/memory_read.h"
#include "device/refusal_text.h"
#include "device/service_operations.h"
#include "storage/device_tables.h"
#include "storage/upper_flow_limit.h"
#include "storage/write_back_checks.h"
#include "storage/write_plan.h"
#include "storage/write_sequence.h"

namespace ruvenset {
namespace {

constexpr int kCaption = 1164;
constexpr int kErrorCaption = 2385;
constexpr int kButton = 2278;
constexpr uint8_t kStoreServiceFlag = 0;

WriteBackOutcome Fail(WriteBackResult result, std::string message = {}) {
  return {result, std::move(message), 0};
}

std::string ShowCheck(ProgramState& state, Technician& technician, const WriteBackCheck& check) {
  const std::string text = FormatTextMessage(WriteBackMessage(check), state.texts);
  // Damaged check bytes are errors of the data; the rest say what the section holds.
  const bool damaged = check.status >= WriteBackStatus::TosSegmentTableCheck &&
                       check.status != WriteBackStatus::TooManyCorrectionSegments;
  technician.ShowMessageWindow(state.Text(damaged ? kErrorCaption : kCaption), text, state.Text(kButton));
  return text;
}

// Why a memory read ended: the refusal it got, or the link.
std::string ReadFailure(const ProgramState& state) {
  const std::span<const uint8_t> data = state.link.answer().data();
  if (IsRefusal(state, 0x13)) return RefusalText(state, data[0], data[1], data[2]);
  return state.Text(2196);
}

// The notice of a completed write-back: the section and what it stored.
std::string StoredText(const ProgramState& state, CalibrationSection section, const WritePlan& plan) {
  const PlanTally tally = TallyPlan(plan);
  if (section == CalibrationSection::CorrectionMultipliers)
    return state.texts.FormatText(3123, {tally.tables, tally.records});
  return state.texts.FormatText(3122,
                                {state.Text(2143 + static_cast<int>(section)), tally.tables, tally.records});
}

WriteBackTarget TargetOf(const ConnectionRecord& record) {
  return {static_cast<uint8_t>(record.id.type), static_cast<uint8_t>(record.id.version), record.id.byteOrder};
}

}  // namespace

WriteBackOutcome WriteBack(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                           WriteBackPages& pages, CalibrationSection section) {
  const CalibrationImage& image = state.calibration;
  const WriteBackTarget target = TargetOf(state.record);

  std::vector<uint8_t> bytes;
  if (!ReadMemoryBlock(state, technician, kIdentificationAddress, 4, state.Text(1136), bytes))
    return Fail(WriteBackResult::ReadFailed, ReadFailure(state));
  state.memoryMirror.Store(kIdentificationAddress, bytes.data(), bytes.size());
  const uint32_t deviceCode = DeviceIdentificationCode(bytes.data(), target.byteOrder);
  if (deviceCode != image.IdentificationCode()) {
    const std::string line1 = state.texts.FormatText(1137, {image.IdentificationCode()});
    const std::string line2 = state.texts.FormatText(1138, {deviceCode}) + " .";
    const std::string line3 = state.Text(1139) + " !";
    pages.ShowNotice3(state.Text(kCaption), line1, line2, line3);
    return Fail(WriteBackResult::ForeignImage, line3);
  }

  const WriteBackCheck valid =
      ValidateForDevice(image, section, UpperFlowLimit(state.record, state.connected));
  if (!valid.Ok()) return Fail(WriteBackResult::CheckFailed, ShowCheck(state, technician, valid));

  DeviceMemoryMirror fresh;
  for (const MemoryBlock& block : FreshBlockReads(section, target)) {
    const std::string panel = state.Text(block.address == kMeasurementBlock ? 1204 : 1135);
    const uint8_t size = static_cast<uint8_t>(block.dataSize + 2);
    if (!ReadMemoryBlock(state, technician, block.address, size, panel, bytes))
      return Fail(WriteBackResult::ReadFailed, ReadFailure(state));
    fresh.Store(block.address, bytes.data(), bytes.size());
  }

  // The plan is made on a copy: the program's mirror takes each block only once it was written.
  DeviceMemoryMirror planned = state.memoryMirror;
  WritePlan plan;
  const WriteBackCheck converted = PlanWriteBack(image, section, target, fresh, planned, plan);
  if (!converted.Ok()) return Fail(WriteBackResult::CheckFailed, ShowCheck(state, technician, converted));
  if (plan.steps.empty()) return Fail(WriteBackResult::NothingToWrite);

  ServiceWindowHost& host = pages.ServiceHost();
  if (RunServiceOperation(state, technician, passwords, host, kServiceEnter, kStoreServiceFlag,
                          state.Text(2253)) != ServiceResult::Succeeded)
    return Fail(WriteBackResult::ServiceFailed);
  WriteSequence sequence(state, technician, pages, plan, WriteProgressMaximum(section, target, plan));
  SequenceEnd end = SequenceEnd::LinkAbandoned;
  pages.RunWriteWindow(state.Text(2253), state.Text(2287),
                       [&](WriteProgressView& view) { end = sequence.Timer1Timer(view); });
  const ServiceResult left = RunServiceOperation(state, technician, passwords, host, kServiceLeave,
                                                 kStoreServiceFlag, state.Text(2253));

  WriteBackOutcome outcome;
  outcome.stepsWritten = sequence.stepsWritten();
  switch (end) {
    case SequenceEnd::Completed:
      outcome.result =
          left == ServiceResult::Succeeded ? WriteBackResult::Stored : WriteBackResult::LeaveFailed;
      if (outcome.result == WriteBackResult::Stored)
        technician.ShowMessageWindow(state.Text(2253), StoredText(state, section, plan), state.Text(kButton));
      break;
    case SequenceEnd::LinkAbandoned:
      outcome.result = WriteBackResult::LinkAbandoned;
      outcome.message = state.Text(2196);
      break;
    case SequenceEnd::RefusalAbandoned:
      outcome.result = WriteBackResult::RefusalAbandoned;
      outcome.message = sequence.refusalText();
      break;
  }
  return outcome;
}

}  // namespace ruvenset
