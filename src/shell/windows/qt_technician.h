#pragma once
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include "device/device_prompts.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The status bar panels the technician's windows write to; any of them may be missing.
struct StatusLabels {
  QLabel* status = nullptr;      // panel 2: an exchange is running
  QLabel* progress = nullptr;    // the step in progress
  QLabel* connection = nullptr;  // port and speed
  QWidget* stop = nullptr;       // shown while panel 2 says an exchange runs
};

// The technician at the screen: every shared window, password and value dialog opens modally over
// `owner`, with the texts of the current language. Every call may come from the procedure's worker: it
// is carried out on the user-interface thread.
class QtTechnician final : public Technician, public PasswordPrompt, public ValuePrompts {
 public:
  QtTechnician(QWidget* owner, const ProgramState& state, StatusLabels labels = {});

  void ShowMessageWindow(const std::string& caption, const std::string& message,
                         const std::string& button) override;
  void ShowMessageBox(const std::string& caption, const std::string& message) override;
  bool Confirm(const std::string& caption, const std::string& message) override;
  bool ConfirmWrite(const std::string& caption, const std::string& message) override;
  bool Confirm3(const std::string& caption, const std::string& line1, const std::string& line2,
                const std::string& line3) override;
  std::unique_ptr<ProgressWindow> OpenProgress(const std::string& caption, const std::string& text,
                                               int maximum) override;
  void ShowNotice(const std::string& caption, const std::string& line1, const std::string& line2,
                  int closeAfterMs) override;
  void SetStatusText(const std::string& text) override;
  void SetProgressText(const std::string& text) override;
  void SetConnectionText(const std::string& text) override;
  void Pause(int milliseconds) override;

  std::optional<std::string> AskWritePassword(bool singleEntry) override;
  std::optional<std::string> AskParameterPassword() override;

  std::optional<float> AskNumber(const NumberRequest& request) override;
  std::optional<int> AskChoice(const ChoiceRequest& request) override;
  void ShowInformation(const std::string& caption, const std::vector<std::string>& lines) override;

  QWidget* owner() const { return owner_; }
  void SetLabels(StatusLabels labels) { labels_ = labels; }

 private:
  void SetPanel(QLabel* label, const std::string& text);

  QPointer<QWidget> owner_;
  const ProgramState& state_;
  StatusLabels labels_;
};

}  // namespace ruvenset
