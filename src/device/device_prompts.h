#pragma once
#include <optional>
#include <string>
#include <vector>

namespace ruvenset {

// What the technician types into the password dialogs; nullopt when the dialog was cancelled.
class PasswordPrompt {
 public:
  virtual ~PasswordPrompt() = default;
  // The write-password dialog; single entry asks once, otherwise twice until both entries agree.
  virtual std::optional<std::string> AskWritePassword(bool singleEntry) = 0;
  // The parameter-password dialog (always two matching entries).
  virtual std::optional<std::string> AskParameterPassword() = 0;
};

// Which characters a numeric field accepts besides digits and backspace.
enum class NumberFilter { DigitsPointMinus, DigitsPoint, None };

// One bounded number (the numeric dialogs).
struct NumberRequest {
  std::string caption;
  std::string prompt;
  std::string rangeText;  // a second line with the admissible range, may be empty
  float lower = 0;
  float upper = 0;
  std::string proposed;  // the text the field starts with
  int maxLength = 6;
  NumberFilter filter = NumberFilter::DigitsPointMinus;
  std::string acceptText;
  std::string cancelText;
};

// One choice out of a list (interval, new/continue, save choice, unit lists).
struct ChoiceRequest {
  std::string caption;
  std::string title;  // the radio group's caption, may be empty
  std::vector<std::string> items;
  int preselected = 0;
  int columns = 1;
  std::string acceptText;
  std::string cancelText;  // empty: the window has only the accept button
};

// The small value and choice dialogs that procedures open.
class ValuePrompts {
 public:
  virtual ~ValuePrompts() = default;
  virtual std::optional<float> AskNumber(const NumberRequest& request) = 0;
  virtual std::optional<int> AskChoice(const ChoiceRequest& request) = 0;
  // The information window: a caption and read-only lines.
  virtual void ShowInformation(const std::string& caption, const std::vector<std::string>& lines) = 0;
};

}  // namespace ruvenset
