#include "calibration/saved_report_offer.h"

namespace ruvenset {

ReportViewResult OfferSavedReport(ProgramState& state, Technician& technician, ReportViewPages& pages,
                                  const SaveCalibrationOutcome& saved) {
  if (saved.result != SaveCalibrationResult::Saved) return ReportViewResult::Cancelled;
  const std::string question = state.texts.FormatText(3354, {saved.calibrationPath, saved.reportPath});
  if (!technician.Confirm(state.Text(2915), question)) return ReportViewResult::Cancelled;
  return ShowCalibrationReport(state, technician, pages, saved.reportPath);
}

}  // namespace ruvenset
