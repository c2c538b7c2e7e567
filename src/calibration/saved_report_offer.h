#pragma once
#include "calibration/save_calibration.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/report_view.h"

namespace ruvenset {

// After a flow computer's calibration was saved: names the two files written and offers to open the
// report in its window, from which it prints. After a failure or a cancel nothing is asked (their
// messages were shown); Cancelled when nothing was shown.
[[nodiscard]] ReportViewResult OfferSavedReport(ProgramState& state, Technician& technician,
                                                ReportViewPages& pages, const SaveCalibrationOutcome& saved);

}  // namespace ruvenset
