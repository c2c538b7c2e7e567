#pragma once
#include <QPointer>
#include <QWidget>

#include "storage/calibration_editor_pages.h"
#include "storage/write_back_pages.h"
#include "verification/windows/service_window.h"

namespace ruvenset {

// The viewer's, the editor's and the write-back's windows on the screen, modal over `owner`.
class QtCalibrationPages final : public CalibrationEditorPages, public WriteBackPages {
 public:
  explicit QtCalibrationPages(QWidget* owner) : owner_(owner), host_(owner) {}

  ListAnswer ShowList(const FulfillList& list) override;
  std::optional<std::array<float, 2>> AskEntry(const SchEntry& entry) override;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  std::optional<std::string> AskSavePath(const FileDialogRequest& request) override;

  ServiceWindowHost& ServiceHost() override { return host_; }
  void RunWriteWindow(const std::string& caption, const std::string& label,
                      const std::function<void(WriteProgressView&)>& sequence) override;
  void ShowNotice3(const std::string& caption, const std::string& line1, const std::string& line2,
                   const std::string& line3) override;

 private:
  QPointer<QWidget> owner_;
  QtServiceWindowHost host_;
};

// The file dialog filter of a "description|pattern|description|pattern" text, as Qt writes it.
QString DialogFilter(const std::string& filter);

}  // namespace ruvenset
