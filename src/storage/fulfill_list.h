#pragma once
#include <optional>
#include <string>
#include <vector>

namespace ruvenset {

// What a button of the list window asks for, as the viewer and the editor read it.
enum class [[nodiscard]] ListChoice{Ok, Close, Add, Open, Delete};

// One button of the list window: its text, the choice it closes the window with, and its row (0 the
// first button row below the list, 1 the second).
struct ListButton {
  std::string text;
  ListChoice modalResult = ListChoice::Close;
  int row = 0;
};

// The logic of the list window TFulfill: two header lines, one row per entry, up to five buttons. The
// window renders it and sizes itself by its rules; the list box shows at most `visibleRows` rows at once.
class FulfillList {
 public:
  static constexpr int kRowHeight = 19;
  static constexpr char kCtrlW = 23;
  static constexpr int kMaxButtons = 5;
  // The list box starts below the two header lines.
  static constexpr int kListTop = 46;

  std::string caption;
  std::string header1;  // Label1
  std::string header2;  // Label2
  std::vector<std::string> rows;
  std::vector<ListButton> buttons;
  int selected = 0;      // the preselected row (clamped to the rows)
  int visibleRows = 14;  // at most this many rows at once; the rest scroll
  bool editor = false;   // the editor's window is taller, for its second button row

  // The rows the list box is sized for: all of them up to visibleRows, at least one.
  int ShownRows() const;
  int ListBoxHeight() const { return ShownRows() * kRowHeight + 3; }
  int FormHeight() const { return ShownRows() * kRowHeight + 115 + (editor ? 150 : 0); }
  // Top of a button row in the window: 53 (second row 88) pixels further down than the list is high.
  int ButtonRowTop(int row) const { return ListBoxHeight() + (row == 0 ? 53 : 88); }
  int SelectedRow() const;

  // A typed character: Ctrl+W closes the window as Close does; nothing for anything else.
  std::optional<ListChoice> FormKeyPress(char key) const {
    return key == kCtrlW ? std::optional(ListChoice::Close) : std::nullopt;
  }
};

// What the technician did in the list window: the choice and the row selected then.
struct ListAnswer {
  ListChoice modalResult = ListChoice::Close;
  int selected = 0;
};

}  // namespace ruvenset
