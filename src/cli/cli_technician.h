#pragma once
#include <optional>
#include <string>

#include "device/device_prompts.h"
#include "session/technician.h"

namespace ruvenset::cli {

// The technician of a scripted run: windows become lines on stderr, questions are answered from the
// command line and never by prompting. Link retries are declined, so a failure ends the command.
class CliTechnician final : public Technician, public PasswordPrompt {
 public:
  CliTechnician(std::optional<std::string> password, bool releaseService)
      : password_(std::move(password)), release_(releaseService) {}

  void ShowMessageWindow(const std::string& caption, const std::string& message, const std::string&) override;
  void ShowMessageBox(const std::string& caption, const std::string& message) override;
  bool Confirm(const std::string& caption, const std::string& message) override;
  bool Confirm3(const std::string& caption, const std::string& l1, const std::string& l2,
                const std::string& l3) override;
  std::unique_ptr<ProgressWindow> OpenProgress(const std::string& caption, const std::string& text,
                                               int maximum) override;
  void ShowNotice(const std::string& caption, const std::string& line1, const std::string& line2,
                  int) override;
  void SetStatusText(const std::string&) override {}
  void SetProgressText(const std::string&) override {}
  void SetConnectionText(const std::string&) override {}
  void Pause(int milliseconds) override;

  std::optional<std::string> AskWritePassword(bool) override { return password_.value_or(""); }
  std::optional<std::string> AskParameterPassword() override { return password_.value_or(""); }

  // A question the command's options answer Yes (the confirm window with this message); every other
  // question is declined.
  void AcceptQuestion(std::string message) { accepted_ = std::move(message); }
  // How often that question was answered Yes.
  int acceptedQuestions() const { return acceptedCount_; }

  // The notice of a refused flow computer, as one line; empty when none was shown.
  const std::string& notice() const { return notice_; }
  // Pipelines found in service mode whose release was declined.
  int declinedReleases() const { return declined_; }

 private:
  std::optional<std::string> password_;
  bool release_;
  std::string notice_;
  std::string accepted_;
  int acceptedCount_ = 0;
  int declined_ = 0;
};

}  // namespace ruvenset::cli
