#include "calibration/correction_procedure.h"

#include <cstdio>

#include "device/service_mode_line.h"

#include "common/unit_tables.h"
#include "device/pipeline_state.h"
#include "device/unit_choice.h"
#include "verification/channel_ranges.h"

namespace ruvenset {
namespace {

constexpr int kSlopeOffsetAddress = 7958;

class Correction {
 public:
  Correction(ProgramState& state, Technician& technician, CorrectionTools& tools, int selector)
      : state_(state), technician_(technician), tools_(tools), selector_(selector) {}

  CorrectionOutcome Run(const CorrectionSetup& setup);

 private:
  bool Service(int operation, uint8_t flag, int panelText) {
    return RunServiceOperation(state_, technician_, tools_.passwords, tools_.service, operation, flag,
                               state_.Text(panelText),
                               state_.Text(selector_ == 2 ? 3061 : 3062)) == ServiceResult::Succeeded;
  }

  ProgramState& state_;
  Technician& technician_;
  CorrectionTools& tools_;
  int selector_;
};

CorrectionOutcome Correction::Run(const CorrectionSetup& setup) {
  CorrectionOutcome outcome;
  outcome.result = CorrectionResult::Failed;
  if (!Service(kServiceEnter, 1, 2202)) {
    outcome.failed = CorrectionStep::Enter;
    return outcome;
  }
  ConstantsBlock block;
  const ConstantsRead read = ReadConstantsBlock(state_, technician_, block);
  if (read == ConstantsRead::Damaged)
    technician_.ShowMessageWindow(state_.Text(3066), state_.Text(3240), state_.Text(2278));
  CorrectionClose close = CorrectionClose::Exit;
  if (read == ConstantsRead::Ok) {
    CorrectionWindow window(state_, technician_, tools_.wallClock, setup, block);
    window.FormActivate();
    close = tools_.pages.ShowCorrection(window);
    outcome.a0 = window.a0();
    outcome.b0 = window.b0();
    outcome.a = window.a();
    outcome.b = window.b();
  }
  outcome.serviceLeft = Service(kServiceLeave, 1, 2203);
  if (read != ConstantsRead::Ok) {
    outcome.failed = CorrectionStep::Read;
    return outcome;
  }
  if (close == CorrectionClose::Exit) {
    outcome.result = CorrectionResult::Interrupted;
    return outcome;
  }
  if (!outcome.serviceLeft) {
    outcome.failed = CorrectionStep::Leave;
    return outcome;
  }
  if (!Service(kServiceEnter, 0, 2202)) {
    outcome.failed = CorrectionStep::Enter;
    return outcome;
  }
  outcome.written = WriteSlopeAndOffset(state_, technician_, block, selector_, outcome.a, outcome.b) ==
                    ConstantsWrite::Written;
  outcome.serviceLeft = Service(kServiceLeave, 0, 2203);
  if (!outcome.written) {
    outcome.failed = CorrectionStep::Write;
  } else if (!outcome.serviceLeft) {
    outcome.failed = CorrectionStep::Leave;
  } else {
    outcome.result = CorrectionResult::Written;
  }
  return outcome;
}

std::string Coefficient(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5f", value);
  return text;
}

}  // namespace

ChoiceRequest PointsRequest(const ProgramState& state) {
  ChoiceRequest r;
  r.caption = state.Text(3059);
  r.items = {state.Bilingual("1 точка", "1 точка"), state.Bilingual("2 точки", "2 точки")};
  r.preselected = 1;
  r.acceptText = state.Text(1773);
  r.cancelText = state.Text(1772);
  return r;
}

CorrectionOutcome CorrectCharacteristic(ProgramState& state, Technician& technician, CorrectionTools& tools,
                                        int channel) {
  const bool pressure = channel == 0;
  const int selector = pressure ? 0 : 2;
  CorrectionOutcome outcome;
  state.record.currentPipeline = 1;
  state.channel.code = selector;
  state.channel.selector = selector;
  for (SelectResult selected = SelectLine(state, technician, 1, false); selected != SelectResult::Selected;
       selected = SelectLine(state, technician, 1, false)) {
    if (selected == SelectResult::Refused || !technician.Confirm(state.Text(2195), state.Text(2196)))
      return outcome;
  }
  const int list = pressure ? kPressureUnitList : kDiffPressureUnitList;
  if (ChooseUnit(state, tools.prompts, list, kUnitForCorrection)) return outcome;

  CorrectionSetup setup;
  setup.selector = selector;
  const int deviceUnit = pressure ? state.record.pressureUnit() : state.record.diffPressureUnit();
  const int chosen = pressure ? state.units.pressure : state.units.diffPressure;
  setup.unitsDiffer = chosen != deviceUnit;
  setup.unitFactor = !setup.unitsDiffer ? 1.0f
                     : pressure         ? PressureUnitFactor(deviceUnit, chosen)
                                        : DiffPressureUnitFactor(deviceUnit, chosen);
  setup.unitName = UnitName(state, list, chosen);
  const ChannelRange range = pressure ? PressureRange(state.record, 0) : DiffPressureRange(state.record, 0);
  setup.rangeLower = range.lower * setup.unitFactor;
  setup.rangeUpper = range.upper * setup.unitFactor;
  if (pressure) {
    const std::optional<int> points = tools.prompts.AskChoice(PointsRequest(state));
    if (!points) return outcome;
    setup.points = *points == 0 ? 1 : 2;
  }

  outcome = Correction(state, technician, tools, selector).Run(setup);
  const std::string message = CorrectionMessage(state, outcome);
  if (!message.empty()) technician.ShowMessageWindow(state.Text(3066), message, state.Text(2278));
  return outcome;
}

std::string CorrectionMessage(const ProgramState& state, const CorrectionOutcome& outcome) {
  const std::string written = state.texts.FormatText(3361, {Coefficient(outcome.a), Coefficient(outcome.b)});
  switch (outcome.result) {
    case CorrectionResult::Written:
      return written + "\n" + ServiceModeLine(state, true);
    case CorrectionResult::Interrupted:
      return state.Text(3067) + "\n" + ServiceModeLine(state, outcome.serviceLeft);
    case CorrectionResult::NotStarted:
      return {};
    case CorrectionResult::Failed:
      break;
  }
  switch (outcome.failed) {
    case CorrectionStep::Enter:
      return state.Text(3356);
    case CorrectionStep::Read:
      return state.Text(2195) + "\n" + ServiceModeLine(state, outcome.serviceLeft);
    case CorrectionStep::Write:
      return state.Text(3362) + "\n" + ServiceModeLine(state, outcome.serviceLeft);
    default:
      return (outcome.written ? written + "\n" : std::string()) + state.Text(3358) + "\n" +
             ServiceModeLine(state, false);
  }
}

ConstantsWrite WriteSlopeAndOffset(ProgramState& state, Technician& technician, ConstantsBlock& block,
                                   int selector, float a, float b) {
  const DeviceByteOrder order = state.record.id.byteOrder;
  const bool pressure = selector != 2;
  block.Put(pressure ? kPressureOffsetAt : kDiffPressureOffsetAt, b, order);
  block.Put(pressure ? kPressureSlopeAt : kDiffPressureSlopeAt, a, order);
  block.Seal();
  return WriteConstantsBlock(state, technician, pressure ? 0 : 2, kSlopeOffsetAddress, block, "");
}

}  // namespace ruvenset
