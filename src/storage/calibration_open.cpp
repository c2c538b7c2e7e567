#include "storage/calibration_open.h"

#include "storage/calibration_file.h"
#include "storage/calibration_paths.h"
#include "storage/upper_flow_limit.h"

namespace ruvenset {

void ShowCalibrationMessage(CalibrationTools& tools, const TextMessage& message, int buttonText) {
  const ProgramState& state = tools.state;
  tools.technician.ShowMessageWindow(state.Text(1164), FormatTextMessage(message, state.texts),
                                     state.Text(buttonText));
}

std::optional<std::string> OpenCalibrationFile(CalibrationTools& tools, CalibrationSection section,
                                               bool editor) {
  ProgramState& state = tools.state;
  EnsureCalibrationDirectory(state.startDirectory);
  const std::optional<std::string> path = tools.pages.AskOpenPath(
      {state.Text(1187), state.Text(2874), CalibrationDirectory(state.startDirectory)});
  if (!path || path->empty()) return std::nullopt;
  CalibrationReadRequest request;
  request.section = section;
  request.editorChecks = editor;
  request.upperFlowLimit = UpperFlowLimit(state.record, state.connected);
  const CalibrationFileStatus status = ReadCalibrationFile(*path, request, state.calibration);
  if (status == CalibrationFileStatus::Ok) return path;
  if (status != CalibrationFileStatus::NotFound)
    ShowCalibrationMessage(tools, CalibrationFileMessage(status, *path));
  return std::nullopt;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace ruvenset
