#include "cli/cli_technician.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace ruvenset::cli {
namespace {

class SilentProgress final : public ProgressWindow {
 public:
  void Advance(int) override {}
  void SetText(const std::string&) override {}
};

void Line(const char* kind, const std::string& caption, const std::string& message) {
  std::fprintf(stderr, "%s: %s%s%s\n", kind, caption.c_str(), caption.empty() ? "" : ": ", message.c_str());
}

}  // namespace

void CliTechnician::ShowMessageWindow(const std::string& caption, const std::string& message,
                                      const std::string&) {
  Line("message", caption, message);
}

void CliTechnician::ShowMessageBox(const std::string& caption, const std::string& message) {
  Line("message", caption, message);
}

bool CliTechnician::Confirm(const std::string& caption, const std::string& message) {
  const bool yes = !accepted_.empty() && message == accepted_;
  Line(yes ? "accepted" : "declined", caption, message);
  acceptedCount_ += yes;
  return yes;
}

bool CliTechnician::Confirm3(const std::string& caption, const std::string& l1, const std::string& l2,
                             const std::string& l3) {
  // The only three-line question is whether to take a pipeline out of service mode.
  Line(release_ ? "accepted" : "declined", caption, l1 + " " + l2 + " " + l3);
  if (!release_) ++declined_;
  return release_;
}

std::unique_ptr<ProgressWindow> CliTechnician::OpenProgress(const std::string&, const std::string&, int) {
  return std::make_unique<SilentProgress>();
}

void CliTechnician::ShowNotice(const std::string&, const std::string& line1, const std::string& line2, int) {
  notice_ = line1 + " " + line2;
}

void CliTechnician::Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace ruvenset::cli
