#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "device/service_operations.h"
#include "storage/write_plan.h"

namespace ruvenset {

// The progress bar of the write window TForm81, as the write sequence moves it.
class WriteProgressView {
 public:
  virtual ~WriteProgressView() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};

// The windows of storing calibration parameters in the flow computer: the service operations window
// (entering and leaving service mode), the write window, and the notice of a foreign calibration.
class WriteBackPages {
 public:
  virtual ~WriteBackPages() = default;
  // Shows the service operations window for entering and leaving service mode.
  virtual ServiceWindowHost& ServiceHost() = 0;
  // The write window: shows caption and label, and when its timer fires runs `sequence` (the whole
  // write sequence, which moves the bar), then closes.
  virtual void RunWriteWindow(const std::string& caption, const std::string& label,
                              const std::function<void(WriteProgressView&)>& sequence) = 0;
  // The three-line confirm window with its No button hidden and its Yes button captioned "Ok".
  virtual void ShowNotice3(const std::string& caption, const std::string& line1, const std::string& line2,
                           const std::string& line3) = 0;
  // Told after each write the flow computer accepted; step numbers count from 1.
  virtual void StepWritten(int /*number*/, const WriteStep& /*step*/) {}
};

}  // namespace ruvenset
