#pragma once
#include <array>
#include <string>

namespace ruvenset {

// One numeric field of the entry window: caption, range label, unit label, bounds and starting text.
struct SchField {
  std::string caption;
  std::string rangeText;
  std::string unitText;
  float lower = 0;
  float upper = 0;
  std::string text;
  int maxLength = 8;
};

// What the accept button decided: close with modal result 1, or put the focus back into a field.
enum class SchOutcome { Accept, FocusEdit1, FocusEdit2 };

// The logic of the two-field entry window TSch. Both fields share one key filter; accepting converts
// both texts and checks each against its bounds, the first field first.
class SchEntry {
 public:
  std::string caption;
  std::array<SchField, 2> fields;
  std::string acceptText;

  // Digits, ".", "-" and backspace pass; anything else is refused.
  static bool Edit1KeyPress(char32_t key);
  // Checks the two texts; on Accept `values` holds both numbers. A text that is not a number, or a
  // number outside its bounds (a NaN among them), keeps the window open with the focus in its field.
  SchOutcome BitBtn1Click(const std::string& text1, const std::string& text2,
                          std::array<float, 2>& values) const;
};

// The text as a number the way the entry window reads it: the whole text must be a number.
bool ParseEntryNumber(const std::string& text, float& value);

}  // namespace ruvenset
