#pragma once
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>

#include "verification/service_operations.h"

namespace ruvenset {

// The service operations window as the write-back shows it (entering and leaving service mode): its
// panel and bar render the operation, its timer drives the operation's steps.
class ServiceModeWindow : public QDialog, public ServiceView {
  Q_OBJECT
 public:
  ServiceModeWindow(QWidget* parent, ServiceOperations& operation);

  // Shows the window until the operation has ended; its modal result (6 success, 2 failure).
  int Run();

  void SetPanelText(const std::string& text) override;
  void SetProgress(int position, int maximum) override;

  QLabel* Panel1;
  QProgressBar* ProgressBar1;
  QTimer* Timer1;

 public slots:
  void Timer1Timer();

 private:
  ServiceOperations& operation_;
};

// Shows the service operations of the write-back in that window, modal over `owner`.
class QtServiceHost final : public ServiceWindowHost {
 public:
  explicit QtServiceHost(QWidget* owner) : owner_(owner) {}
  int ShowModal(ServiceOperations& window) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace ruvenset
