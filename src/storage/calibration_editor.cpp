#include "storage/calibration_editor.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/unit_tables.h"
#include "device/unit_choice.h"
#include "storage/calibration_checks.h"
#include "storage/calibration_edits.h"
#include "storage/calibration_entries.h"
#include "storage/calibration_file.h"
#include "storage/calibration_open.h"
#include "storage/calibration_paths.h"
#include "storage/calibration_rows.h"
#include "storage/calibration_viewer.h"
#include "storage/upper_flow_limit.h"

namespace ruvenset {
namespace {

constexpr int kEditCaption = 2932;
constexpr int kCorrectionCaption = 1232;
constexpr float kShiftBound = 1.06f;
// Without a flow computer the upper flow limit is unknown: flow values are then bounded only here.
constexpr float kUnknownFlowLimit = 1.0e9f;
constexpr int kMinimumPoints = 2;

// One run of the editor over one section.
class Editor {
 public:
  Editor(CalibrationTools& tools, CalibrationSection section, const std::string& folder)
      : tools_(tools),
        state_(tools.state),
        image_(tools.state.calibration),
        section_(section),
        workingCopy_(folder + "/" + kWorkingCopyName) {}

  EditorEnd RunChannel();
  EditorEnd RunCorrection();

 private:
  bool Ask(int caption, const std::string& question) {
    return tools_.technician.Confirm(state_.Text(caption), question);
  }
  // Rewrites the working copy (the section in canonical order, new check bytes); false after its message.
  bool WriteWorkingCopy();
  void PointLevel(int k);
  void ShiftPressureTable(int k);
  // The save dialog (asked again while an existing file is not to be replaced) and the write.
  EditorEnd Save();
  float FlowLimit() const {
    const float limit = UpperFlowLimit(state_.record, state_.connected);
    return limit > 0 ? limit : kUnknownFlowLimit;
  }

  CalibrationTools& tools_;
  ProgramState& state_;
  CalibrationImage& image_;
  CalibrationSection section_;
  std::string workingCopy_;
};

bool Editor::WriteWorkingCopy() {
  const CalibrationFileStatus status = WriteCalibrationFile(workingCopy_, section_, image_.modelCode, image_);
  if (status == CalibrationFileStatus::Ok) return true;
  ShowCalibrationMessage(tools_, CalibrationFileMessage(status, kWorkingCopyName));
  return false;
}

EditorEnd Editor::RunChannel() {
  const ConstChannelSection channel = image_.Channel(section_);
  if (channel.TosCount() == 0) {
    ShowCalibrationMessage(tools_,
                           section_ == CalibrationSection::DifferentialPressure
                               ? TextMessage{1162, {}}
                               : TextMessage{1150, {TextArgument::Text(2143 + static_cast<int>(section_))}});
    return EditorEnd::NoTosPoints;
  }
  if (!WriteWorkingCopy()) return EditorEnd::WorkingCopyFailed;
  int selected = 0;
  for (;;) {
    const int count = channel.UsedTosPoints();
    FulfillList list = TosLevelList(state_, section_, true);
    list.selected = selected;
    list.buttons.push_back({state_.Text(2210), ListChoice::Open, 0});
    if (count < channel.Limits().maxTosPoints)
      list.buttons.push_back({state_.Text(3024), ListChoice::Add, 0});
    if (count > 1) list.buttons.push_back({state_.Text(3025), ListChoice::Delete, 0});
    list.buttons.push_back({state_.Text(2278), ListChoice::Close, 1});
    const ListAnswer answer = tools_.pages.ShowList(list);
    selected = std::clamp(answer.selected, 0, std::max(0, count - 1));
    switch (answer.modalResult) {
      case ListChoice::Open:
        PointLevel(selected);
        break;
      case ListChoice::Add:
        if (count < channel.Limits().maxTosPoints && Ask(kEditCaption, state_.Text(3027))) {
          if (const auto entry = tools_.pages.AskEntry(TosPointEntry(state_))) {
            AppendTosPoint(image_, section_, static_cast<int32_t>((*entry)[0]), (*entry)[1]);
            WriteWorkingCopy();
          }
        }
        break;
      case ListChoice::Delete:
        if (count > 1 && Ask(kEditCaption, state_.Text(3028))) {
          DeleteTosPoint(image_, section_, selected);
          WriteWorkingCopy();
          selected = std::min(selected, channel.UsedTosPoints() - 1);
        }
        break;
      case ListChoice::Close: {
        if (!Ask(kEditCaption, state_.Text(3026))) break;
        const WriteBackCheck check = CheckTablesBeforeSaving(image_, section_);
        if (!check.Ok()) {
          ShowCalibrationMessage(tools_, WriteBackMessage(check));
          selected = check.table - 1;
          break;
        }
        return Save();
      }
      default:
        break;
    }
  }
}

void Editor::PointLevel(int k) {
  const ConstChannelSection channel = image_.Channel(section_);
  int selected = 0;
  for (;;) {
    const int count = channel.UsedPoints(k);
    FulfillList list = PointLevelList(state_, section_, k, true);
    list.selected = selected;
    list.buttons.push_back({state_.Text(2210), ListChoice::Open, 0});
    if (count < channel.Limits().maxPoints) list.buttons.push_back({state_.Text(3024), ListChoice::Add, 0});
    if (count > kMinimumPoints) list.buttons.push_back({state_.Text(3025), ListChoice::Delete, 0});
    list.buttons.push_back({state_.Text(2278), ListChoice::Close, 1});
    if (section_ == CalibrationSection::Pressure)
      list.buttons.push_back({state_.Bilingual("Сместить", "Змістити"), ListChoice::Ok, 1});
    const ListAnswer answer = tools_.pages.ShowList(list);
    selected = std::clamp(answer.selected, 0, std::max(0, count - 1));
    switch (answer.modalResult) {
      case ListChoice::Open:
        if (selected < count) {
          const SchEntry entry =
              PointEntry(state_, section_, channel.PointCode(k, selected), channel.PointValue(k, selected));
          if (const auto values = tools_.pages.AskEntry(entry)) {
            ChangePoint(image_, section_, k, selected, static_cast<int32_t>((*values)[0]), (*values)[1]);
            WriteWorkingCopy();
          }
        }
        break;
      case ListChoice::Add:
        if (count < channel.Limits().maxPoints &&
            Ask(kEditCaption, state_.texts.FormatText(3029, {ChannelName(state_, section_)}))) {
          if (const auto values = tools_.pages.AskEntry(PointEntry(state_, section_, 0, 0.0f))) {
            AppendPoint(image_, section_, k, static_cast<int32_t>((*values)[0]), (*values)[1]);
            WriteWorkingCopy();
          }
        }
        break;
      case ListChoice::Delete:
        if (count > kMinimumPoints && Ask(kEditCaption, state_.Text(1233))) {
          DeletePoint(image_, section_, k, selected);
          WriteWorkingCopy();
        }
        break;
      case ListChoice::Ok:
        if (section_ == CalibrationSection::Pressure) ShiftPressureTable(k);
        break;
      case ListChoice::Close:
        return;
      default:
        break;
    }
  }
}

void Editor::ShiftPressureTable(int k) {
  if (ChooseUnit(state_, tools_.values, kPressureUnitList, kUnitForCalibration)) return;
  const int unit = state_.units.pressure;
  const std::string unitName = UnitName(state_, kPressureUnitList, unit);
  // The bounds are ±1.06 kgf/cm2 in the chosen unit; the offset reaches the table in the table's unit.
  const float bound = kShiftBound * PressureUnitFactor(0, unit);
  NumberRequest request;
  request.caption = state_.texts.FormatText(2658, {unitName});
  request.prompt = state_.texts.FormatText(2226, {-bound, bound});
  request.lower = -bound;
  request.upper = bound;
  request.proposed = "0";
  request.maxLength = 9;
  request.filter = NumberFilter::DigitsPointMinus;
  request.acceptText = state_.Text(2613);
  request.cancelText = state_.Text(2614);
  const std::optional<float> offset = tools_.values.AskNumber(request);
  if (!offset || !(*offset >= -bound && *offset <= bound)) return;
  if (!Ask(2325, state_.texts.FormatText(2659, {*offset, unitName}))) return;
  ShiftTable(image_, section_, k, *offset / PressureUnitFactor(image_.pressureUnit, unit));
  WriteWorkingCopy();
}

EditorEnd Editor::Save() {
  EnsureCalibrationDirectory(state_.startDirectory);
  const FileDialogRequest dialog{state_.Text(1186), state_.Text(2874),
                                 CalibrationDirectory(state_.startDirectory)};
  for (;;) {
    const std::optional<std::string> path = tools_.pages.AskSavePath(dialog);
    if (!path || path->empty()) {
      RemoveFile(workingCopy_);
      return EditorEnd::Discarded;
    }
    if (PathExists(*path) &&
        !tools_.technician.ConfirmWrite(state_.Text(kEditCaption), state_.texts.FormatText(1474, {*path})))
      continue;
    const CalibrationFileStatus status = WriteCalibrationFile(*path, section_, image_.modelCode, image_);
    if (status == CalibrationFileStatus::Ok) return EditorEnd::Saved;
    ShowCalibrationMessage(tools_, CalibrationFileMessage(status, *path));
    return EditorEnd::SaveFailed;
  }
}

EditorEnd Editor::RunCorrection() {
  if (image_.CorrectionCount() == 0)
    ApplyCorrectionDefault(image_, UpperFlowLimit(state_.record, state_.connected));
  if (!WriteWorkingCopy()) return EditorEnd::WorkingCopyFailed;
  int selected = 0;
  for (;;) {
    const int count = image_.UsedCorrectionPoints();
    FulfillList list = CorrectionList(state_, true);
    list.selected = selected;
    list.buttons.push_back({state_.Text(2210), ListChoice::Open, 0});
    if (count < kMaxCorrectionPoints) list.buttons.push_back({state_.Text(3024), ListChoice::Ok, 0});
    if (count > kMinimumPoints) list.buttons.push_back({state_.Text(3025), ListChoice::Delete, 0});
    list.buttons.push_back({state_.Text(2278), ListChoice::Close, 1});
    const ListAnswer answer = tools_.pages.ShowList(list);
    selected = std::clamp(answer.selected, 0, std::max(0, count - 1));
    switch (answer.modalResult) {
      case ListChoice::Open:
        if (selected < count) {
          const SchEntry entry = CorrectionEntry(state_, FlowLimit(), image_.CorrectionFlow(selected),
                                                 image_.CorrectionMultiplier(selected));
          if (const auto values = tools_.pages.AskEntry(entry)) {
            ChangeCorrectionPoint(image_, selected, (*values)[0], (*values)[1]);
            WriteWorkingCopy();
          }
        }
        break;
      case ListChoice::Ok:
        if (count < kMaxCorrectionPoints && Ask(2247, state_.Text(1232))) {
          const float offered = FlowLimit() == kUnknownFlowLimit ? 0.0f : FlowLimit() * 2.0f / 3.0f;
          if (const auto values =
                  tools_.pages.AskEntry(CorrectionEntry(state_, FlowLimit(), offered, 1.0f))) {
            AppendCorrectionPoint(image_, (*values)[0], (*values)[1]);
            WriteWorkingCopy();
          }
        }
        break;
      case ListChoice::Delete:
        if (count > kMinimumPoints && Ask(kCorrectionCaption, state_.Text(1233))) {
          DeleteCorrectionPoint(image_, selected);
          WriteWorkingCopy();
        }
        break;
      case ListChoice::Close:
        if (Ask(kCorrectionCaption, state_.Text(1229))) return Save();
        break;
      default:
        break;
    }
  }
}

}  // namespace

EditorEnd RunCalibrationEditor(CalibrationTools& tools, CalibrationSection section,
                               const std::string& workingFolder) {
  Editor editor(tools, section, workingFolder);
  return IsChannelSection(section) ? editor.RunChannel() : editor.RunCorrection();
}

}  // namespace ruvenset
