#include "storage/calibration_viewer.h"

#include "common/device_models.h"

#include "storage/calibration_checks.h"
#include "storage/calibration_file.h"
#include "storage/calibration_open.h"
#include "storage/calibration_rows.h"
#include "storage/canonical_order.h"
#include "storage/upper_flow_limit.h"
#include "storage/write_back.h"

namespace ruvenset {
namespace {

constexpr int kPointRowsVisible = 14;
constexpr int kViewerCorrectionRows = 15;
constexpr int kEditorCorrectionRows = 13;
constexpr ListChoice kNewTosPoint = ListChoice::Add;

bool SingleTosModel(const CalibrationImage& image, CalibrationSection section) {
  return section == CalibrationSection::Temperature && ModelOf(image.modelCode).singleTos;
}

// The message of a section without Тос points.
TextMessage NoTosMessage(CalibrationSection section) {
  if (section == CalibrationSection::DifferentialPressure) return {1162, {}};
  return {1150, {TextArgument::Text(2143 + static_cast<int>(section))}};
}

void OfferWriteBack(CalibrationTools& tools, CalibrationSection section, int caption, int question) {
  ProgramState& state = tools.state;
  if (!state.connected) return;
  if (!tools.technician.ConfirmWrite(state.Text(caption), state.Text(question))) return;
  WriteBack(state, tools.technician, tools.passwords, tools.writeBack, section);
}

// The point level; true when the viewer is to end there (model 9, or a point to add after a calibration).
bool ShowPointLevel(CalibrationTools& tools, CalibrationSection section, int k, bool fromMenu,
                    ViewerOutcome& outcome) {
  const ProgramState& state = tools.state;
  const CalibrationImage& image = state.calibration;
  const ConstChannelSection channel = image.Channel(section);
  FulfillList list = PointLevelList(state, section, k, false);
  if (SingleTosModel(image, section)) list.visibleRows = static_cast<int>(list.rows.size());
  const bool full = channel.PointCount(k) >= channel.Limits().maxPoints;
  list.buttons.push_back({state.Text(2278), ListChoice::Close, 0});
  if (!full && !fromMenu) list.buttons.push_back({state.Text(2268), ListChoice::Open, 0});
  const ListAnswer answer = tools.pages.ShowList(list);
  if (answer.modalResult == ListChoice::Open && !full && !fromMenu) {
    outcome = {1, ViewerResult::AddPointsAtTos, k};
    return true;
  }
  if (SingleTosModel(image, section)) {
    outcome.result = ViewerResult::Closed;
    return true;
  }
  return false;
}

ViewerOutcome ViewChannel(CalibrationTools& tools, CalibrationSection section, bool fromMenu) {
  ProgramState& state = tools.state;
  const ConstChannelSection channel = state.calibration.Channel(section);
  ViewerOutcome outcome;
  int selected = std::max(0, channel.UsedTosPoints() - 1);
  for (;;) {
    const bool complete = SectionComplete(channel);
    FulfillList list = TosLevelList(state, section, false);
    list.selected = selected;
    if (complete || fromMenu) {
      list.buttons = {{state.Text(2278), ListChoice::Close, 0}, {state.Text(2613), ListChoice::Open, 0}};
    } else {
      list.buttons = {{state.Text(2613), ListChoice::Open, 0}};
      if (channel.TosCount() < channel.Limits().maxTosPoints) {
        list.buttons.push_back({state.Text(2267), kNewTosPoint, 0});
        list.buttons.push_back({state.Text(2278), ListChoice::Close, 0});
      }
    }
    const ListAnswer answer = tools.pages.ShowList(list);
    selected = answer.selected;
    if (answer.modalResult == ListChoice::Open && !(complete || fromMenu)) {
      return {1, ViewerResult::ContinueAtTos, selected};
    }
    if (answer.modalResult == kNewTosPoint && !(complete || fromMenu)) {
      return {1, ViewerResult::ContinueAtTos, channel.TosCount()};
    }
    if (answer.modalResult == ListChoice::Open && selected >= 0 && selected < channel.UsedTosPoints()) {
      if (ShowPointLevel(tools, section, selected, fromMenu, outcome)) return outcome;
      continue;
    }
    if (answer.modalResult != ListChoice::Close) continue;
    outcome = {complete || fromMenu ? 0 : 1, ViewerResult::Closed, selected};
    OfferWriteBack(tools, section, 2238, 2264);
    return outcome;
  }
}

ViewerOutcome ViewCorrection(CalibrationTools& tools) {
  ProgramState& state = tools.state;
  if (state.calibration.CorrectionCount() == 0)
    ApplyCorrectionDefault(state.calibration, UpperFlowLimit(state.record, state.connected));
  FulfillList list = CorrectionList(state, false);
  list.buttons = {{state.Text(2278), ListChoice::Close, 0}};
  tools.pages.ShowList(list);
  OfferWriteBack(tools, CalibrationSection::CorrectionMultipliers, 1214, 1220);
  return {0, ViewerResult::Closed, 0};
}

}  // namespace

bool SectionComplete(ConstChannelSection channel) {
  const ChannelLimits limits = channel.Limits();
  if (channel.TosCount() != limits.maxTosPoints) return false;
  for (int k = 0; k < limits.maxTosPoints; ++k) {
    if (channel.PointCount(k) != limits.maxPoints) return false;
  }
  return true;
}

FulfillList TosLevelList(const ProgramState& state, CalibrationSection section, bool editor) {
  const ConstChannelSection channel = state.calibration.Channel(section);
  FulfillList list;
  list.editor = editor;
  list.caption = state.texts.FormatText(2260, {ChannelName(state, section)});
  list.header1 = state.Text(2261);
  list.header2 = state.texts.FormatText(2262, {channel.Limits().maxPoints});
  for (int k = 0; k < channel.UsedTosPoints(); ++k) list.rows.push_back(TosRow(state, channel, k));
  list.visibleRows = channel.Limits().maxTosPoints;
  return list;
}

FulfillList PointLevelList(const ProgramState& state, CalibrationSection section, int k, bool editor) {
  const CalibrationImage& image = state.calibration;
  const ConstChannelSection channel = image.Channel(section);
  FulfillList list;
  list.editor = editor;
  list.caption = state.texts.FormatText(2260, {ChannelName(state, section)});
  list.header1 = PointHeader1(state, channel, k);
  list.header2 = PointHeader2(state, image, section);
  for (int i = 0; i < channel.UsedPoints(k); ++i) {
    const int32_t code = channel.PointCode(k, i);
    const float value = channel.PointValue(k, i);
    list.rows.push_back(editor ? EditorPointRow(i + 1, code, value) : ViewerPointRow(i + 1, code, value));
  }
  list.visibleRows = kPointRowsVisible;
  return list;
}

FulfillList CorrectionList(const ProgramState& state, bool editor) {
  const CalibrationImage& image = state.calibration;
  FulfillList list;
  list.editor = editor;
  list.caption = state.Text(1214);
  list.header1 = state.Text(1218);
  list.header2 = state.Text(1219);
  for (int i = 0; i < image.UsedCorrectionPoints(); ++i)
    list.rows.push_back(CorrectionRow(i + 1, image.CorrectionFlow(i), image.CorrectionMultiplier(i)));
  list.visibleRows = editor ? kEditorCorrectionRows : kViewerCorrectionRows;
  return list;
}

ViewerOutcome RunCalibrationViewer(CalibrationTools& tools, CalibrationSection section, bool fromMenu,
                                   const std::string& calibrationPath) {
  ProgramState& state = tools.state;
  if (!IsChannelSection(section)) return ViewCorrection(tools);
  if (state.calibration.Channel(section).TosCount() == 0) {
    ShowCalibrationMessage(tools, NoTosMessage(section));
    return {0, ViewerResult::NoTosPoints, 0};
  }
  if (!fromMenu) {
    const CalibrationFileStatus written =
        WriteCalibrationFile(calibrationPath, section, state.calibration.modelCode, state.calibration);
    if (written != CalibrationFileStatus::Ok)
      ShowCalibrationMessage(tools, CalibrationFileMessage(written, calibrationPath));
  }
  return ViewChannel(tools, section, fromMenu);
}

}  // namespace ruvenset
