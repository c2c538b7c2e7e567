#pragma once
#include <array>
#include <optional>
#include <string>

#include "storage/fulfill_list.h"
#include "storage/sch_entry.h"

namespace ruvenset {

// A file dialog: title, filter (pairs "description|pattern" separated by "|"), and the folder it opens in.
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::string folder;
};

// The viewer's and the editor's own windows: the list window, the entry window and the file dialogs.
// The Qt windows, the CLI and the scripted doubles of the tests implement it.
class CalibrationEditorPages {
 public:
  virtual ~CalibrationEditorPages() = default;
  // Shows the list modally; returns the modal result it closed with and the row selected then.
  virtual ListAnswer ShowList(const FulfillList& list) = 0;
  // Shows the entry window; both values when it closed with modal result 1 (its accept button only
  // closes it once SchEntry::BitBtn1Click accepts), nullopt when it was closed any other way.
  virtual std::optional<std::array<float, 2>> AskEntry(const SchEntry& entry) = 0;
  // The open and save dialogs: the chosen path, nullopt when cancelled.
  virtual std::optional<std::string> AskOpenPath(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSavePath(const FileDialogRequest& request) = 0;
};

}  // namespace ruvenset
