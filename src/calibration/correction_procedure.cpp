#include "calibration/correction_procedure.h"

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
  if (!Service(kServiceEnter, 1, 2202)) return outcome;
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
  const bool left = Service(kServiceLeave, 1, 2203);
  if (read != ConstantsRead::Ok) return outcome;
  if (close == CorrectionClose::Exit) {
    outcome.result = CorrectionResult::Interrupted;
    return outcome;
  }
  if (!left || !Service(kServiceEnter, 0, 2202)) return outcome;
  const ConstantsWrite written =
      WriteSlopeAndOffset(state_, technician_, block, selector_, outcome.a, outcome.b);
  const bool leftAgain = Service(kServiceLeave, 0, 2203);
  if (written == ConstantsWrite::Written && leftAgain) outcome.result = CorrectionResult::Written;
  return outcome;
}

int MessageOf(CorrectionResult result) {
  switch (result) {
    case CorrectionResult::Failed:
      return 2195;
    case CorrectionResult::Interrupted:
      return 3067;
    default:
      return 0;
  }
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
  if (const int message = MessageOf(outcome.result))
    technician.ShowMessageWindow(state.Text(3066), state.Text(message), state.Text(2278));
  return outcome;
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
