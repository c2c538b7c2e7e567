#include "storage/write_sequence.h"

#include <algorithm>
#include <cstring>

#include "device/exchange.h"
#include "device/refusal_text.h"

namespace ruvenset {
namespace {

constexpr int kWriteMemory = 0x14;
constexpr size_t kMaxStepData = 200;

bool MeasurementModel(uint8_t model) {
  return model == 18 || model == 20;
}

int BaseMaximum(CalibrationSection section, const WriteBackTarget& target) {
  switch (section) {
    case CalibrationSection::Pressure:
      if (target.softwareVersion < 20) return 6;
      return MeasurementModel(target.model) ? 8 : 7;
    case CalibrationSection::Temperature:
      if (MeasurementModel(target.model)) return 4;
      return target.model == 9 ? 2 : 3;
    case CalibrationSection::DifferentialPressure:
      return target.model == 18 ? 8 : 7;
    default:
      return 2;
  }
}

}  // namespace

int BuildWriteRequest(ConnectionRecord& record, uint8_t channelCode, const WriteStep& step) {
  uint8_t* request = record.frame.request();
  const size_t size = std::min(step.data.size(), kMaxStepData);
  request[5] = channelCode;
  std::memcpy(request + 6, record.writePassword, kPasswordSize);
  StoreDeviceWord(request + 22, step.address, record.id.byteOrder);
  request[24] = static_cast<uint8_t>(step.kind);
  request[25] = step.table;
  request[26] = step.firstRecord;
  if (size > 0) std::memcpy(request + 27, step.data.data(), size);
  return static_cast<int>(size) + 29;
}

int WriteProgressMaximum(CalibrationSection section, const WriteBackTarget& target, const WritePlan& plan) {
  int tables = 0;
  int furtherGroups = 0;
  for (const WriteStep& step : plan.steps) {
    if (step.kind == RecordKind::TableHeader || step.kind == RecordKind::CorrectionHeader) ++tables;
    const bool records =
        step.kind == RecordKind::SegmentRecords || step.kind == RecordKind::TosSegmentRecords;
    if (records && step.firstRecord > 0) ++furtherGroups;
  }
  return BaseMaximum(section, target) + std::max(0, tables - 1) + furtherGroups;
}

SequenceEnd WriteSequence::Timer1Timer(WriteProgressView& view) {
  view.SetMaximum(maximum_);
  int position = 0;
  for (const WriteStep& step : plan_.steps) {
    view.SetPosition(std::min(++position, maximum_));
    for (;;) {
      Request request;
      request.writeRequest = 1;
      request.command = kWriteMemory;
      request.setFirstDataByte = 1;
      request.firstDataByte = 1;
      request.length = BuildWriteRequest(state_.record, plan_.channelCode, step);
      request.progressText = state_.texts.FormatText(1193, {stepCounter_});
      if (Exchange(state_, technician_, request) != LinkOk) {
        if (technician_.Confirm(state_.Text(2195), state_.Text(2196))) continue;
        return SequenceEnd::LinkAbandoned;
      }
      if (!IsRefusal(state_.record, kWriteMemory)) break;
      ShowRefusal(state_, technician_);
      if (technician_.Confirm("", state_.Text(2191))) continue;
      const uint8_t* refusal = state_.record.frame.responseData();
      refusalText_ = RefusalText(state_, refusal[0], refusal[1], refusal[2]);
      return SequenceEnd::RefusalAbandoned;
    }
    state_.memoryMirror.Store(step.address, step.data.data(), step.data.size());
    pages_.StepWritten(stepCounter_, step);
    ++stepCounter_;
  }
  return SequenceEnd::Completed;
}

}  // namespace ruvenset
