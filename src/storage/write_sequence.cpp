#include "storage/write_sequence.h"

#include <algorithm>
#include <span>

#include "common/device_models.h"
#include "device/exchange.h"
#include "device/refusal_text.h"

namespace ruvenset {
namespace {

constexpr int kWriteMemory = 0x14;
constexpr size_t kMaxStepData = 200;
// Data bytes of a write before the block: 1, channel code, password, address, record kind, table number
// and first record.
constexpr size_t kWriteHeaderData = 23;

bool MeasurementModel(uint8_t model) {
  return ModelOf(model).measurementBlock;
}

int BaseMaximum(CalibrationSection section, const WriteBackTarget& target) {
  switch (section) {
    case CalibrationSection::Pressure:
      if (target.softwareVersion < 20) return 6;
      return MeasurementModel(target.model) ? 8 : 7;
    case CalibrationSection::Temperature:
      if (MeasurementModel(target.model)) return 4;
      return ModelOf(target.model).singleTos ? 2 : 3;
    case CalibrationSection::DifferentialPressure:
      return target.model == 18 ? 8 : 7;
    default:
      return 2;
  }
}

}  // namespace

std::vector<uint8_t> WriteRequestData(const ConnectionRecord& record, uint8_t channelCode,
                                      const WriteStep& step) {
  const size_t size = std::min(step.data.size(), kMaxStepData);
  std::vector<uint8_t> data(kWriteHeaderData + size, 0);
  data[0] = 1;
  data[1] = channelCode;
  std::copy_n(record.writePassword, kPasswordSize, data.begin() + 2);
  StoreDeviceWord(data.data() + 18, step.address, record.id.byteOrder);
  data[20] = static_cast<uint8_t>(step.kind);
  data[21] = step.table;
  data[22] = step.firstRecord;
  std::copy_n(step.data.begin(), size, data.begin() + kWriteHeaderData);
  return data;
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
      request.data = WriteRequestData(state_.record, plan_.channelCode, step);
      request.progressText = state_.texts.FormatText(1193, {stepCounter_});
      if (Exchange(state_, technician_, request) != LinkOk) {
        if (technician_.Confirm(state_.Text(2195), state_.Text(2196))) continue;
        return SequenceEnd::LinkAbandoned;
      }
      if (!IsRefusal(state_, kWriteMemory)) break;
      ShowRefusal(state_, technician_);
      if (technician_.Confirm("", state_.Text(2191))) continue;
      const std::span<const uint8_t> refusal = state_.link.answer().data();
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
