#pragma once
#include <cstdint>
#include <optional>

#include "calibration/calibration_pages.h"
#include "device/windows/number_dialogs.h"

namespace ruvenset {

// The identification-code entry of a calibration (the long value entry, object name Form24): up to 10
// digits, accepted only as a whole number 1 .. 4294967295, kept as an integer.
class IdentificationCodeForm : public TForm9 {
  Q_OBJECT
 public:
  IdentificationCodeForm(QWidget* parent, const IdentificationCodeEntry& entry);
  // The code when accepted, nullopt when cancelled.
  std::optional<uint32_t> AskCode();

 protected:
  bool AcceptEntry() override;

 private:
  uint32_t code_ = 0;
};

}  // namespace ruvenset
