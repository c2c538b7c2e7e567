#pragma once
#include <QDialog>
#include <QPrinter>

#include "session/program_state.h"
#include "shell/windows/qt_technician.h"
#include "storage/report_view.h"

#include <memory>

class QListWidget;
class QPrintDialog;
class QPushButton;

namespace ruvenset {

// The report window: the report's lines in a list, "print" through Qt's print dialog (the chosen pages,
// then the chart pages; "print to file" gives a PDF) and "exit".
class TOtchK : public QDialog {
  Q_OBJECT
 public:
  TOtchK(QWidget* owner, const ReportWindowModel& model, bool russian);

  QListWidget* ListBox1 = nullptr;
  QPushButton* BitBtn3 = nullptr;  // print
  QPushButton* BitBtn1 = nullptr;  // exit, modal result 2
  QPrintDialog* PrintDialog1 = nullptr;

  void BitBtn3Click();

 private:
  const ReportWindowModel& model_;
  std::unique_ptr<QPrinter> printer_;
  bool russian_;
};

class QtReportViewPages final : public ReportViewPages {
 public:
  QtReportViewPages(QWidget* owner, bool russian) : owner_(owner), russian_(russian) {}
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override;
  void ShowReport(const ReportWindowModel& model) override;

 private:
  QWidget* owner_;
  bool russian_;
};

// The menu item that prints calibration parameters (N45).
void ViewCalibrationReportInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician);

}  // namespace ruvenset
