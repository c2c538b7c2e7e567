#include "calibration/zero_setting.h"

#include "calibration/slope_offset_block.h"
#include "common/adaptive_format.h"
#include "common/device_models.h"
#include "device/service_mode_line.h"

namespace ruvenset {
namespace {

// Models whose differential-pressure zero is an offset in the characteristic constants; every other
// model zeroes its own HART differential-pressure transmitter.
constexpr int kOffsetZeroModels[] = {7, 16, 18};

ZeroSettingResult OfStatistics(ZeroStatisticsResult result) {
  switch (result) {
    case ZeroStatisticsResult::Stopped:
      return ZeroSettingResult::Stopped;
    case ZeroStatisticsResult::NoNewCycles:
      return ZeroSettingResult::NoNewCycles;
    case ZeroStatisticsResult::NoValidValues:
      return ZeroSettingResult::NoValidValues;
    default:
      return ZeroSettingResult::Failed;
  }
}

class ZeroSetting {
 public:
  ZeroSetting(ProgramState& state, Technician& technician, ZeroTools& tools, int channelCode)
      : state_(state), technician_(technician), tools_(tools), channelCode_(channelCode) {}

  ZeroSettingOutcome Run(const ConstantsBlock& read);

 private:
  bool Service(int operation, uint8_t flag, int panelText) {
    return RunServiceOperation(state_, technician_, tools_.passwords, tools_.service, operation, flag,
                               state_.Text(panelText),
                               state_.Text(channelCode_ == 0 ? 2818 : 2810)) == ServiceResult::Succeeded;
  }
  bool WriteOffset(ConstantsBlock block, ZeroSettingOutcome& outcome);

  ProgramState& state_;
  Technician& technician_;
  ZeroTools& tools_;
  int channelCode_;
};

ZeroSettingOutcome ZeroSetting::Run(const ConstantsBlock& read) {
  ZeroSettingOutcome outcome;
  if (!Service(kServiceEnter, 1, 2202)) {
    outcome.failed = ZeroStep::Enter;
    return outcome;
  }
  ZeroStatistics statistics(state_, technician_, channelCode_);
  const ZeroStatisticsResult measured = tools_.statistics.ShowModal(statistics);
  outcome.correction = statistics.correction();
  outcome.serviceLeft = Service(kServiceLeave, 1, 2203);
  if (measured != ZeroStatisticsResult::Measured) {
    outcome.result = OfStatistics(measured);
    return outcome;
  }
  if (!outcome.serviceLeft) {
    outcome.failed = ZeroStep::Leave;
    return outcome;
  }
  if (!Service(kServiceEnter, 0, 2202)) {
    outcome.failed = ZeroStep::Enter;
    return outcome;
  }
  outcome.written = WriteOffset(read, outcome);
  outcome.serviceLeft = Service(kServiceLeave, 0, 2203);
  if (!outcome.written) {
    outcome.failed = ZeroStep::Write;
  } else if (!outcome.serviceLeft) {
    outcome.failed = ZeroStep::Leave;
  } else {
    outcome.result = ZeroSettingResult::Set;
  }
  return outcome;
}

bool ZeroSetting::WriteOffset(ConstantsBlock block, ZeroSettingOutcome& outcome) {
  const Identification& id = state_.record.id;
  const int at = ZeroOffsetAt(id.version, channelCode_);
  outcome.offset = block.At(at, id.byteOrder) + outcome.correction;
  block.Put(at, outcome.offset, id.byteOrder);
  block.Seal();
  return WriteConstantsBlock(state_, technician_, channelCode_,
                             CharacteristicConstantsAddress(id.type, id.version), block,
                             state_.Text(2812)) == ConstantsWrite::Written;
}

}  // namespace

ZeroSettingOutcome RunZeroSetting(ProgramState& state, Technician& technician, ZeroTools& tools,
                                  int channelCode) {
  state.record.currentPipeline = 1;
  state.channel.code = channelCode;
  ConstantsBlock block;
  ZeroSettingOutcome outcome;
  switch (ReadConstantsBlock(state, technician, block)) {
    case ConstantsRead::Ok:
      break;
    case ConstantsRead::Damaged:
      technician.ShowMessageWindow(state.Text(2701), state.Text(3240), state.Text(2278));
      outcome.result = ZeroSettingResult::NotStarted;
      return outcome;
    case ConstantsRead::Abandoned:
      outcome.result = ZeroSettingResult::NotStarted;
      return outcome;
  }
  outcome = ZeroSetting(state, technician, tools, channelCode).Run(block);
  const ZeroMessage m = ZeroSettingMessage(state, outcome, channelCode);
  technician.ShowMessageWindow(m.caption, m.message, state.Text(2278));
  return outcome;
}

ZeroMessage ZeroSettingMessage(const ProgramState& state, const ZeroSettingOutcome& outcome,
                               int channelCode) {
  const int unitCode = channelCode == 0 ? state.record.pressureUnit() : state.record.diffPressureUnit();
  const std::string unit =
      unitCode <= 1 ? " " + state.Text((channelCode == 0 ? 2168 : 2155) + unitCode) : std::string();
  const std::string written = state.texts.FormatText(
      3355, {FormatAdaptive(outcome.correction) + unit, FormatAdaptive(outcome.offset) + unit});
  if (outcome.result == ZeroSettingResult::Set)
    return {state.Text(channelCode == 0 ? 2818 : 2810), written + "\n" + ServiceModeLine(state, true)};
  std::string what;
  switch (outcome.result) {
    case ZeroSettingResult::Stopped:
      what = state.Text(2817);
      break;
    case ZeroSettingResult::NoNewCycles:
      what = state.Text(2814);
      break;
    case ZeroSettingResult::NoValidValues:
      what = state.Text(channelCode == 0 ? 2819 : 2815);
      break;
    default:
      what = outcome.failed == ZeroStep::Enter   ? state.Text(3356)
             : outcome.failed == ZeroStep::Write ? state.Text(3357)
             : outcome.written                   ? written + "\n" + state.Text(3358)
             : outcome.failed == ZeroStep::Leave ? state.Text(3358)
                                                 : state.Text(2195);
      break;
  }
  // An offset that reached the flow computer is set, whatever failed after it.
  const std::string caption = outcome.written ? state.Text(channelCode == 0 ? 2818 : 2810) : state.Text(2701);
  if (outcome.failed == ZeroStep::Enter) return {caption, what};
  return {caption, what + "\n" + ServiceModeLine(state, outcome.serviceLeft)};
}

ZeroMethod ZeroMethodOf(int deviceType, ZeroItem item) {
  if (item == ZeroItem::Pressure) return ZeroMethod::Offset;
  for (int model : kOffsetZeroModels) {
    if (model == deviceType) return ZeroMethod::Offset;
  }
  return ZeroMethod::HartTransmitter;
}

ZeroItemOutcome RunZeroItem(ProgramState& state, Technician& technician, ZeroTools& tools, ZeroItem item) {
  ZeroItemOutcome outcome;
  outcome.method = ZeroMethodOf(state.record.id.type, item);
  if (outcome.method == ZeroMethod::Offset) {
    outcome.offset = RunZeroSetting(state, technician, tools, item == ZeroItem::Pressure ? 0 : 2);
  } else {
    state.record.currentPipeline = 1;
    outcome.hart =
        RunHartZero(state, technician, tools.passwords, tools.service, item == ZeroItem::LowerDiffPressure);
  }
  return outcome;
}

}  // namespace ruvenset
