#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "storage/calibration_editor_pages.h"
#include "storage/headless_write_back_pages.h"

namespace ruvenset::testing {

// The viewer's and the editor's windows played by a script. Each list shown is recorded; the answers
// come from queues. Entries are typed texts that go through the entry window's own accept rule: texts it
// refuses are recorded as a refused entry and the next texts are tried, as a technician would retype.
class ScriptedCalibrationPages : public CalibrationEditorPages {
 public:
  struct Typed {
    std::string first;
    std::string second;
  };

  std::deque<ListAnswer> lists;
  std::deque<std::optional<Typed>> entries;  // nullopt: the window is closed without accepting
  std::deque<std::optional<std::string>> openPaths;
  std::deque<std::optional<std::string>> savePaths;

  std::vector<FulfillList> shownLists;
  std::vector<SchEntry> shownEntries;
  int refusedEntries = 0;
  std::vector<FileDialogRequest> dialogs;

  ListAnswer ShowList(const FulfillList& list) override {
    shownLists.push_back(list);
    if (lists.empty()) {
      // A script that runs out would leave the procedure waiting for a technician forever.
      ADD_FAILURE() << "list window shown with no scripted answer: " << list.caption;
      if (++overruns_ > 20) std::abort();
      return {ListChoice::Close, 0};
    }
    const ListAnswer answer = lists.front();
    lists.pop_front();
    return answer;
  }

  std::optional<std::array<float, 2>> AskEntry(const SchEntry& entry) override {
    shownEntries.push_back(entry);
    while (!entries.empty()) {
      const std::optional<Typed> typed = entries.front();
      entries.pop_front();
      if (!typed) return std::nullopt;
      std::array<float, 2> values{};
      if (entry.BitBtn1Click(typed->first, typed->second, values) == SchOutcome::Accept) return values;
      ++refusedEntries;
    }
    return std::nullopt;
  }

  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    return Next(openPaths);
  }
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    return Next(savePaths);
  }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto v = queue.front();
    queue.pop_front();
    return v;
  }
  int overruns_ = 0;
};

// The write-back's windows without a screen, recording the steps written.
class RecordingWriteBackPages : public HeadlessWriteBackPages {
 public:
  using HeadlessWriteBackPages::HeadlessWriteBackPages;
  std::vector<WriteStep> written;
  void StepWritten(int number, const WriteStep& step) override {
    EXPECT_EQ(number, static_cast<int>(written.size()) + 1);
    written.push_back(step);
  }
};

}  // namespace ruvenset::testing
