#include "calibration/point_acquisition.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/adaptive_format.h"
#include "common/device_models.h"
#include "common/unit_tables.h"
#include "storage/calibration_file.h"
#include "storage/calibration_rows.h"
#include "storage/canonical_order.h"
#include "storage/fulfill_list.h"
#include "storage/merge_exchange_sort.h"
#include "verification/channel_ranges.h"

namespace ruvenset {
namespace {

// Configuration block byte 100 + p: bit 0x20 marks a gauge pressure sensor on pipeline p.
constexpr int kSensorKinds = 100;
constexpr uint8_t kGaugeSensor = 0x20;
// Lowest pressure offered for an absolute sensor, by the flow computer's pressure unit.
constexpr float kAbsoluteLowerBound[2] = {0.8564f, 0.08398415f};
constexpr int kReviewRows = 14;
constexpr ListChoice kReviewCorrect = ListChoice::Open;
constexpr ListChoice kReviewEnd = ListChoice::Close;
constexpr ListChoice kReviewMore = ListChoice::Ok;
// Own texts: no reading yet; a full table.
constexpr int kNoSamplesText = 3160;
constexpr int kTableFullText = 3161;
constexpr int kUnmovedText = 3300;

std::string Format(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string CodeText(uint32_t code, bool withHex) {
  char text[64];
  if (withHex)
    std::snprintf(text, sizeof text, "%-11lu (0x%-x)", static_cast<unsigned long>(code),
                  static_cast<unsigned>(code));
  else
    std::snprintf(text, sizeof text, "%-11lu", static_cast<unsigned long>(code));
  return text;
}

std::string UnitText(const ProgramState& state, const CalibrationRun& run) {
  const ConnectionRecord& record = state.record;
  if (run.kind == kCalibrationTemperature) return state.Text(2189);
  if (run.kind == kCalibrationPressure)
    return state.Text(run.unitsDiffer ? 2170 + run.calibrationUnit : 2168 + record.pressureUnit());
  return state.Text(run.unitsDiffer ? 2157 + run.calibrationUnit : 2155 + record.diffPressureUnit());
}

// The value column's name: pressure, temperature or differential pressure.
std::string ValueName(const ProgramState& state, int kind) {
  return state.Text(2150 + kind);
}

int MaxPoints(int kind) {
  return kind == kCalibrationTemperature ? kTemperatureLimits.maxPoints : kPressureLimits.maxPoints;
}

bool SingleTableModel(const ProgramState& state) {
  return ModelOf(state.record.id.type).singleTos;
}

}  // namespace

bool PointCodeMoved(const std::vector<uint32_t>& taken, uint32_t code, uint32_t spread) {
  if (taken.empty()) return true;
  const int64_t step = int64_t{code} - taken.back();
  int64_t direction = 0;
  if (taken.size() >= 2) {
    const int64_t before = taken[taken.size() - 2];
    direction = taken.back() > before ? 1 : taken.back() < before ? -1 : 0;
  }
  const int64_t away = direction == 0 ? std::abs(step) : direction * step;
  return away > int64_t{spread};
}

float CalibrationUnitFactor(const ProgramState& state, const CalibrationRun& run) {
  if (!run.unitsDiffer || run.kind == kCalibrationTemperature) return 1.0f;
  if (run.kind == kCalibrationPressure)
    return PressureUnitFactor(state.record.pressureUnit(), run.calibrationUnit);
  return DiffPressureUnitFactor(state.record.diffPressureUnit(), run.calibrationUnit);
}

ValueBounds PointValueBounds(const ProgramState& state, const CalibrationRun& run) {
  ValueBounds b;
  if (run.kind == kCalibrationTemperature) {
    b.lower = -45.0f;
    b.upper = 85.0f;
    b.rangeText = "[-45.00...85.00]";
    return b;
  }
  const ConnectionRecord& record = state.record;
  const float upper = RangeOfKind(record, 0, run.kind).upper;
  float lower = 0;
  if (run.kind == kCalibrationPressure) {
    const bool gauge = record.configuration[kSensorKinds] & kGaugeSensor;
    const int unit = std::clamp(record.pressureUnit(), 0, 1);
    lower = run.referencePressureKind > 0 || gauge ? 0.0f : 0.95f * kAbsoluteLowerBound[unit];
  }
  const float factor = CalibrationUnitFactor(state, run);
  b.lower = RoundToDisplayed(lower * factor);
  b.upper = RoundToDisplayed(1.04f * upper * factor);
  b.rangeText = "[" + FormatAdaptive(b.lower) + "..." + FormatAdaptive(b.upper) + "]";
  return b;
}

MeasurementResult RunMeasurementWindow(AcquisitionTools& tools, CalibrationRun& run, AcquisitionMode mode,
                                       bool statistics) {
  ProgramState& state = tools.state;
  AcquisitionSetup setup;
  setup.mode = mode;
  setup.statistics = statistics;
  setup.kind = run.kind;
  setup.channelSelector = run.channelSelector;
  setup.pointNumber = run.pointCounter + 1;
  setup.hart = mode == AcquisitionMode::Point ? run.hart : nullptr;
  setup.referenceUnit = run.referenceUnit;
  TForm60Logic window(state, tools.technician, setup);
  const std::string channel = state.Text(2143 + run.kind);
  for (;;) {
    const int result = tools.pages.ShowMeasurementWindow(window);
    // A Stop pressed in the window was meant for its ticks, which are over: it does not stop the
    // exchanges after the window (leaving service mode among them).
    state.link.stop().Clear();
    if (result == kMeasurementNext) {
      if (!statistics) {
        if (!tools.technician.Confirm(state.Text(2238), state.Text(1471))) return MeasurementResult::Next;
        continue;
      }
      // Without a code in the window there is nothing to take: the mean of before a reset is stale.
      if (window.samples().count() == 0) {
        tools.technician.ShowMessageWindow(state.Text(2238), state.Text(kNoSamplesText), state.Text(2279));
        continue;
      }
      if (mode == AcquisitionMode::Point && !run.takenCodes.empty()) {
        const uint32_t spread = static_cast<uint32_t>(std::abs(int64_t{window.samples().largestDeviation()}));
        UnmovedPoint point;
        point.pointNumber = run.pointCounter + 1;
        point.code = window.samples().mean();
        point.previous = run.takenCodes.back();
        if (!PointCodeMoved(run.takenCodes, point.code, spread)) {
          point.caption = state.Text(2238);
          point.message =
              state.texts.FormatText(kUnmovedText, {point.pointNumber, point.code, point.previous});
          if (tools.pages.ConfirmUnmovedPoint(point)) break;
          continue;
        }
      }
      if (tools.technician.Confirm(state.Text(2238), state.texts.FormatText(1479, {channel}))) break;
      continue;
    }
    if (result == kMeasurementCancel) {
      if (!tools.technician.Confirm(state.Text(2238), state.Text(2617))) return MeasurementResult::Cancelled;
    }
  }
  if (mode == AcquisitionMode::Ambient) {
    run.tosCode = window.samples().mean();
  } else {
    run.acceptedCode = window.samples().mean();
    if (run.hart != nullptr && window.references().count() > 0) run.reference = window.references().mean();
  }
  return MeasurementResult::Next;
}

std::optional<float> EnterPointValue(AcquisitionTools& tools, const CalibrationRun& run, uint32_t code,
                                     float proposed, bool correction) {
  ProgramState& state = tools.state;
  const ValueBounds bounds = PointValueBounds(state, run);
  const float factor = CalibrationUnitFactor(state, run);
  const bool temperature = run.kind == kCalibrationTemperature;
  PointValueEntry entry;
  entry.caption = state.Text(2247);
  entry.codeText = CodeText(code, run.kind != kCalibrationPressure && !correction);
  entry.rangeText = bounds.rangeText;
  entry.unitText = UnitText(state, run);
  entry.lower = bounds.lower;
  entry.upper = bounds.upper;
  entry.acceptText = state.Text(2613);
  entry.cancelText = state.Text(2614);
  float shown = proposed * factor;
  for (;;) {
    entry.proposed = temperature ? Format("%.2f", shown) : FormatAdaptive(shown);
    const std::optional<float> typed = tools.pages.AskValue(entry);
    if (!typed) return std::nullopt;
    shown = *typed;
    if (!(*typed >= bounds.lower && *typed <= bounds.upper)) continue;
    const std::string valueText = temperature ? Format("%.2f", *typed) : FormatAdaptive(*typed);
    const std::string line1 = "      " + state.Text(2242) + CodeText(code, false);
    char line2[160];
    std::snprintf(line2, sizeof line2, "  %11s: %s%s", ValueName(state, run.kind).c_str(), valueText.c_str(),
                  (" " + entry.unitText).c_str());
    if (!tools.technician.Confirm3(state.Text(2238), line1, line2, "")) continue;
    float value = RoundToDisplayed(*typed / factor);
    if (!correction && run.kind == kCalibrationPressure) {
      if (run.barometricMode == 1) value += run.barometric;
      if (run.barometricMode == 2) value -= run.barometric;
    }
    return value;
  }
}

void SortPointTables(CalibrationImage& image, int kind, int lastTos) {
  const ChannelSection channel = image.Channel(SectionOfKind(kind));
  const int last = std::min(lastTos, channel.Limits().maxTosPoints - 1);
  for (int k = 0; k <= last; ++k) {
    const int n = channel.UsedPoints(k);
    if (n == 0) continue;
    MergeExchangeSort(
        n, [&](int i, int j) { return channel.PointCode(k, i) > channel.PointCode(k, j); },
        [&](int i, int j) { channel.SwapPoints(k, i, j); });
  }
}

void StoreTosPoint(CalibrationImage& image, const ProgramState& state, const CalibrationRun& run) {
  const ChannelSection channel = image.Channel(SectionOfKind(run.kind));
  channel.SetTosPoint(run.tosIndex, static_cast<int32_t>(run.tosCode), run.tosValue);
  const int count = std::max<int>(channel.TosCount(), run.tosIndex + 1);
  const bool single = run.kind == kCalibrationTemperature && SingleTableModel(state);
  channel.SetTosCount(static_cast<uint16_t>(single ? 1 : count));
}

namespace {

// One point: the window in prompt and statistics mode, the value, and the pair stored in the table.
TableResult TakePoint(AcquisitionTools& tools, CalibrationRun& run) {
  ProgramState& state = tools.state;
  if (RunMeasurementWindow(tools, run, AcquisitionMode::Point, false) == MeasurementResult::Cancelled ||
      RunMeasurementWindow(tools, run, AcquisitionMode::Point, true) == MeasurementResult::Cancelled)
    return TableResult::Cancelled;
  if (run.hart == nullptr) run.reference = 0;
  const std::optional<float> value = EnterPointValue(tools, run, run.acceptedCode, run.reference, false);
  if (!value) return TableResult::Cancelled;
  const ChannelSection channel = state.calibration.Channel(SectionOfKind(run.kind));
  if (run.retakeTable) {
    channel.SetPointCount(run.tosIndex, 0);
    run.retakeTable = false;
  }
  const int at = channel.PointCount(run.tosIndex);
  channel.SetPoint(run.tosIndex, at, static_cast<int32_t>(run.acceptedCode), *value);
  channel.SetPointCount(run.tosIndex, static_cast<uint16_t>(at + 1));
  run.takenCodes.push_back(run.acceptedCode);
  ++run.pointCounter;
  return TableResult::Ended;
}

FulfillList ReviewList(const ProgramState& state, const CalibrationRun& run) {
  const CalibrationImage& image = state.calibration;
  const CalibrationSection section = SectionOfKind(run.kind);
  const ConstChannelSection channel = image.Channel(section);
  FulfillList list;
  list.caption = state.texts.FormatText(2260, {state.Text(2143 + run.kind)});
  if (!SingleTableModel(state)) list.header1 = state.texts.FormatText(2265, {run.tosValue, state.Text(2189)});
  list.header2 =
      state.texts.FormatText(2266, {ValueName(state, run.kind), ChannelUnitName(state, image, section)});
  for (int i = 0; i < channel.UsedPoints(run.tosIndex); ++i)
    list.rows.push_back(
        ViewerPointRow(i + 1, channel.PointCode(run.tosIndex, i), channel.PointValue(run.tosIndex, i)));
  list.visibleRows = kReviewRows;
  list.buttons.push_back({state.Text(2210), kReviewCorrect, 0});
  list.buttons.push_back({state.Text(2278), kReviewEnd, 0});
  if (run.pointCounter < MaxPoints(run.kind)) list.buttons.push_back({state.Text(2268), kReviewMore, 0});
  return list;
}

// Rewrites the working file from a copy, so that the Тос points keep their places while the table is
// taken (the file gets its canonical order).
bool RewriteWorkingFile(AcquisitionTools& tools, const CalibrationRun& run) {
  ProgramState& state = tools.state;
  CalibrationImage copy = state.calibration;
  const CalibrationFileStatus written =
      WriteCalibrationFile(run.path, SectionOfKind(run.kind), copy.modelCode, copy);
  if (written == CalibrationFileStatus::Ok) return true;
  tools.technician.ShowMessageWindow(
      state.Text(1164), FormatTextMessage(CalibrationFileMessage(written, run.path), state.texts),
      state.Text(2279));
  return false;
}

}  // namespace

TableResult AcquireTable(AcquisitionTools& tools, CalibrationRun& run) {
  ProgramState& state = tools.state;
  const int maxPoints = MaxPoints(run.kind);
  const ChannelSection channel = state.calibration.Channel(SectionOfKind(run.kind));
  run.pointCounter = run.retakeTable ? 0 : channel.PointCount(run.tosIndex);
  run.takenCodes.clear();
  for (;;) {
    do {
      if (channel.PointCount(run.tosIndex) >= maxPoints) {
        tools.technician.ShowMessageWindow(
            state.Text(2238), state.texts.FormatText(kTableFullText, {maxPoints}), state.Text(2279));
        break;
      }
      if (TakePoint(tools, run) == TableResult::Cancelled) return TableResult::Cancelled;
    } while (run.pointCounter < 2);

    const int lastTos = SingleTableModel(state) ? 0 : std::max<int>(channel.TosCount(), run.tosIndex + 1) - 1;
    SortPointTables(state.calibration, run.kind, lastTos);
    for (;;) {
      const ListAnswer answer = tools.lists.ShowList(ReviewList(state, run));
      if (answer.modalResult == kReviewCorrect) {
        const int i = answer.selected;
        if (i < 0 || i >= channel.UsedPoints(run.tosIndex)) continue;
        const int32_t code = channel.PointCode(run.tosIndex, i);
        const std::optional<float> value = EnterPointValue(tools, run, static_cast<uint32_t>(code),
                                                           channel.PointValue(run.tosIndex, i), true);
        if (value) channel.SetPoint(run.tosIndex, i, code, *value);
        continue;
      }
      if (answer.modalResult == kReviewEnd) return TableResult::Ended;
      break;
    }
    StoreTosPoint(state.calibration, state, run);
    if (!RewriteWorkingFile(tools, run)) return TableResult::Ended;
    if (run.pointCounter >= maxPoints) return TableResult::Ended;
  }
}

}  // namespace ruvenset
