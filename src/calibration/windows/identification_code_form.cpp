#include "calibration/windows/identification_code_form.h"

#include "calibration/identification_code.h"
#include "shell/link_dialog_rules.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

IdentificationCodeForm::IdentificationCodeForm(QWidget* parent, const IdentificationCodeEntry& entry)
    : TForm9(parent, "Form24") {
  Build(Q(entry.caption), Q(entry.label), "[1...4294967295]", Q(entry.acceptText), Q(entry.cancelText));
  Edit1->setMaxLength(10);
  Edit1->setText(Q(entry.proposed));
  Edit1->selectAll();
  FilterKeys(Edit1, DigitKeyAccepted);
}

bool IdentificationCodeForm::AcceptEntry() {
  const std::optional<uint32_t> code = ParseIdentificationCode(Edit1->text().trimmed().toStdString());
  if (code) code_ = *code;
  return code.has_value();
}

std::optional<uint32_t> IdentificationCodeForm::AskCode() {
  if (exec() != kResultOk) return std::nullopt;
  return code_;
}

}  // namespace ruvenset
