#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "verification/protocol_pages.h"

namespace ruvenset::testing {

// The protocol's windows played by a script: the page and the save dialog are answered from their
// queues (an empty queue wants no protocol); the PDF is not printed, only noted, and its first
// `pdfFailures` writes fail; what would be shown is kept.
class ScriptedProtocolPages : public ProtocolPages {
 public:
  std::deque<std::optional<ProtocolAnswer>> answers;
  std::deque<std::optional<std::string>> paths;
  int pdfFailures = 0;

  std::vector<ProtocolPage> pages;
  std::vector<ProtocolSaveDialog> dialogs;
  std::vector<std::string> pdfs;
  std::optional<ProtocolRecord> shown;
  ProtocolDocument shownDocument;
  ProtocolView shownView;

  std::optional<ProtocolAnswer> AskProtocol(const ProtocolPage& page) override {
    pages.push_back(page);
    return Next(answers);
  }
  std::optional<std::string> AskProtocolPath(const ProtocolSaveDialog& dialog) override {
    dialogs.push_back(dialog);
    return Next(paths);
  }
  bool WriteProtocolPdf(const ProtocolDocument&, const std::string& path) override {
    pdfs.push_back(path);
    return pdfFailures-- <= 0;
  }
  void ShowProtocol(const ProtocolRecord& record, const ProtocolDocument& document,
                    const ProtocolView& view) override {
    shown = record;
    shownDocument = document;
    shownView = view;
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<T> v = queue.front();
    queue.pop_front();
    return v;
  }
};

}  // namespace ruvenset::testing
