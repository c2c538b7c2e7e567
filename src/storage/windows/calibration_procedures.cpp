#include "storage/windows/calibration_procedures.h"

#include "storage/calibration_menu.h"
#include "storage/windows/qt_calibration_pages.h"

namespace ruvenset {
namespace {

template <typename Work>
void WithTools(QWidget* owner, ProgramState& state, QtTechnician& technician, Work work) {
  QtCalibrationPages pages(owner);
  CalibrationTools tools{state, technician, technician, technician, pages, pages};
  work(tools);
}

}  // namespace

void ViewCalibrationParameters(QWidget* owner, ProgramState& state, QtTechnician& technician,
                               CalibrationSection section) {
  WithTools(owner, state, technician,
            [&](CalibrationTools& tools) { ViewCalibrationFromMenu(tools, section); });
}

void EditCalibrationParameters(QWidget* owner, ProgramState& state, QtTechnician& technician,
                               CalibrationSection section) {
  WithTools(owner, state, technician,
            [&](CalibrationTools& tools) { EditCalibrationFromMenu(tools, section); });
}

void StoreCalibrationParameters(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                CalibrationSection section) {
  WithTools(owner, state, technician,
            [&](CalibrationTools& tools) { StoreCalibrationSection(tools, section); });
}

}  // namespace ruvenset
