#pragma once
#include <string>

#include "storage/calibration_tools.h"

namespace ruvenset {

// How the viewer ended, for the calibration procedure that may have started it.
enum class ViewerResult {
  NothingChosen = 0,
  NoTosPoints = 1,
  Closed = 2,
  ContinueAtTos = 3,  // go on with Тос point `tosIndex` (a new one when it equals the Тос count)
  AddPointsAtTos,     // add points to Тос point `tosIndex`'s table (its point level's "add a point")
};

struct ViewerOutcome {
  int returnValue = 0;  // 1 when it ended on an incomplete section after a calibration
  ViewerResult result = ViewerResult::NothingChosen;
  int tosIndex = 0;
};

// The list windows of the viewer for the image's section (built from the program's state).
FulfillList TosLevelList(const ProgramState& state, CalibrationSection section, bool editor);
FulfillList PointLevelList(const ProgramState& state, CalibrationSection section, int k, bool editor);
FulfillList CorrectionList(const ProgramState& state, bool editor);

// True when every Тос point the section allows is there and every table holds its capacity of points.
bool SectionComplete(ConstChannelSection channel);

// Shows the section of the program's calibration image. From the menu (`fromMenu`) nothing is written;
// after a calibration the section is first put into canonical order and the image written to
// `calibrationPath`. Leaving it offers to store the section in the flow computer (when one is connected).
ViewerOutcome RunCalibrationViewer(CalibrationTools& tools, CalibrationSection section, bool fromMenu,
                                   const std::string& calibrationPath = {});

}  // namespace ruvenset
