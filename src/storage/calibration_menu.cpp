#include "storage/calibration_menu.h"

#include "storage/calibration_open.h"

namespace ruvenset {

void ViewCalibrationFromMenu(CalibrationTools& tools, CalibrationSection section) {
  tools.state.channel.selector = static_cast<int>(section);
  if (!OpenCalibrationFile(tools, section, false)) return;
  RunCalibrationViewer(tools, section, true);
}

void EditCalibrationFromMenu(CalibrationTools& tools, CalibrationSection section) {
  tools.state.channel.selector = static_cast<int>(section);
  const std::optional<std::string> path = OpenCalibrationFile(tools, section, true);
  if (!path) return;
  RunCalibrationEditor(tools, section, FolderOf(*path));
}

WriteBackOutcome StoreCalibrationSection(CalibrationTools& tools, CalibrationSection section) {
  tools.state.channel.selector = static_cast<int>(section);
  return WriteBack(tools.state, tools.technician, tools.passwords, tools.writeBack, section);
}

}  // namespace ruvenset
