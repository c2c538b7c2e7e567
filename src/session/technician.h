#pragma once
#include <memory>
#include <string>

namespace ruvenset {

// A non-modal progress window that the procedure advances itself.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void Advance(int steps) = 0;
  virtual void SetText(const std::string& text) = 0;
};

// How every procedure reaches the technician through the shared windows. The Qt windows, the CLI and
// scripted test doubles implement it; a procedure never talks to a window directly.
class Technician {
 public:
  virtual ~Technician() = default;
  // The message window: one line and one button; returns when it is closed.
  virtual void ShowMessageWindow(const std::string& caption, const std::string& message,
                                 const std::string& button) = 0;
  // A plain message box with an OK button (refusal texts).
  virtual void ShowMessageBox(const std::string& caption, const std::string& message) = 0;
  // Yes/No; closing the window in any other way is No.
  virtual bool Confirm(const std::string& caption, const std::string& message) = 0;
  // A question whose Yes writes into the flow computer or replaces a file. No is its default answer, so
  // that Enter pressed by habit destroys nothing; a technician without such a window answers it as any
  // other question.
  virtual bool ConfirmWrite(const std::string& caption, const std::string& message) {
    return Confirm(caption, message);
  }
  virtual bool Confirm3(const std::string& caption, const std::string& line1, const std::string& line2,
                        const std::string& line3) = 0;
  virtual std::unique_ptr<ProgressWindow> OpenProgress(const std::string& caption, const std::string& text,
                                                       int maximum) = 0;
  // A notice that closes by itself after closeAfterMs (or when the technician closes it).
  virtual void ShowNotice(const std::string& caption, const std::string& line1, const std::string& line2,
                          int closeAfterMs) = 0;
  // Status bar: panel 2 while an exchange runs, the progress panel and the connection panel.
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  virtual void SetConnectionText(const std::string& text) = 0;
  // Waits without freezing the windows (the pauses of long device operations).
  virtual void Pause(int milliseconds) = 0;
};

}  // namespace ruvenset
