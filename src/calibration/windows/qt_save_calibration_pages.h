#pragma once
#include <QWidget>

#include "calibration/save_calibration.h"
#include "session/program_state.h"
#include "shell/windows/qt_technician.h"

namespace ruvenset {

// The save dialog of "save calibration parameters" and its question about an existing file.
class QtSaveCalibrationPages final : public SaveCalibrationPages {
 public:
  QtSaveCalibrationPages(QWidget* owner, Technician& technician) : owner_(owner), technician_(technician) {}
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;
  bool ConfirmReplace(const std::string& caption, const std::string& question) override;

 private:
  QWidget* owner_;
  Technician& technician_;
};

// The General menu's item N7.
void SaveCalibrationInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician);

}  // namespace ruvenset
