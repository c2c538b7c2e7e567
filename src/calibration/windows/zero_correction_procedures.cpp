#include "calibration/windows/zero_correction_procedures.h"

#include "calibration/windows/correction_form.h"
#include "calibration/windows/zero_statistics_window.h"
#include "shell/windows/window_parts.h"
#include "verification/windows/service_window.h"

namespace ruvenset {

ZeroItemOutcome ZeroInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician, ZeroItem item) {
  QtServiceWindowHost service(owner);
  QtZeroStatisticsHost statistics(owner, Q(state.Text(item == ZeroItem::Pressure ? 2818 : 2810)),
                                  Q(state.Text(2813)));
  ZeroTools tools{technician, service, statistics};
  return RunZeroItem(state, technician, tools, item);
}

CorrectionOutcome CorrectInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                   int channel) {
  QtServiceWindowHost service(owner);
  QtCorrectionPages pages(owner, state);
  SystemWallClock wallClock;
  CorrectionTools tools{technician, technician, service, pages, wallClock};
  return CorrectCharacteristic(state, technician, tools, channel);
}

SlopeOffsetResult SlopeOffsetInWindows(ProgramState& state, QtTechnician& technician) {
  return ShowSlopeAndOffset(state, technician, technician);
}

}  // namespace ruvenset
