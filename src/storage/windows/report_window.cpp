#include "storage/windows/report_window.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/windows/file_dialog_locale.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "storage/windows/qt_calibration_pages.h"
#include "storage/windows/report_printing.h"

namespace ruvenset {

TOtchK::TOtchK(QWidget* owner, const ReportWindowModel& model, bool russian)
    : QDialog(owner), model_(model), russian_(russian) {
  setObjectName("TOtchK");
  setWindowTitle(Q(model.caption));
  auto* layout = new QVBoxLayout(this);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  QFont font("DejaVu Sans Mono");
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(9);
  ListBox1->setFont(font);
  for (const std::string& line : model.lines) ListBox1->addItem(Q(line));
  const int width = QFontMetrics(font).horizontalAdvance(QString(84, 'M'));
  ListBox1->setMinimumSize(width, 520);
  layout->addWidget(ListBox1);
  auto* buttons = new QHBoxLayout;
  BitBtn3 = MakeButton(this, "BitBtn3", russian ? "Печать" : "Друк", QStyle::SP_FileIcon);
  BitBtn1 = MakeButton(this, "BitBtn1", russian ? "Выход" : "Вихід", QStyle::SP_DialogCloseButton);
  buttons->addStretch();
  buttons->addWidget(BitBtn3);
  buttons->addWidget(BitBtn1);
  buttons->addStretch();
  layout->addLayout(buttons);
  const int count = static_cast<int>(model.pages.size());
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  PrintDialog1 = new QPrintDialog(printer_.get(), this);
  PrintDialog1->setObjectName("PrintDialog1");
  PrintDialog1->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
  // Printed to a file, the report goes beside itself as a PDF of the same name.
  const QString pdf = Q(model.path).section('.', 0, -2);
  if (!pdf.isEmpty()) printer_->setOutputFileName(pdf + ".pdf");
  PrintDialog1->setMinMax(1, count);
  PrintDialog1->setFromTo(1, count);
  connect(BitBtn3, &QPushButton::clicked, this, &TOtchK::BitBtn3Click);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(2); });
}

void TOtchK::BitBtn3Click() {
  const int count = static_cast<int>(model_.pages.size());
  if (PrintDialog1->exec() != QDialog::Accepted) return;
  QPrinter& printer = *printer_;
  ReportPrintJob job = ReportJobFor(model_.lines);
  job.pages = LoadPageFiles(model_.pageFolder, model_.pages);
  job.range = {1, count};
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
    job.range = ClampPageRange({printer.fromPage(), printer.toPage()}, count);
  PrintReport(printer, job);
}

std::optional<std::string> QtReportViewPages::AskOpenPath(const FileDialogRequest& request) {
  return OnUiThread([&]() -> std::optional<std::string> {
    const QString path =
        AskOpenFileName(owner_, Q(request.title), Q(request.folder), DialogFilter(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  });
}

void QtReportViewPages::ShowReport(const ReportWindowModel& model) {
  return OnUiThread([&] {
    TOtchK window(owner_, model, russian_);
    window.exec();
  });
}

void ViewCalibrationReportInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician) {
  QtReportViewPages pages(owner, state.config.langRus == 1);
  (void)ViewCalibrationReport(state, technician, pages);
}

}  // namespace ruvenset
