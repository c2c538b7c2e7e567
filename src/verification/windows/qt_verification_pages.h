#pragma once
#include <QPointer>
#include <QWidget>

#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "shell/windows/qt_technician.h"
#include "verification/verification_pages.h"
#include "verification/verification_procedure.h"

namespace ruvenset {

// The verification's pages and measuring window as modal windows over `owner` (or over the window
// that is modal at the time), with the texts of the current language.
class QtVerificationPages final : public VerificationPages {
 public:
  QtVerificationPages(QWidget* owner, const ProgramState& state, QtTechnician& technician)
      : owner_(owner), state_(state), technician_(technician) {}

  std::optional<SubstituteValueAnswer> AskSubstituteValue(const SubstituteValuePage& page) override;
  std::optional<int> AskPollReference(const ChoiceRequest& page) override;
  std::optional<TransmitterChoice> AskTransmitter(const TransmitterPage& page) override;
  std::optional<int> AskTransmitterVariable(const ChoiceRequest& page) override;
  std::optional<int> AskReferencePressureKind(const ChoiceRequest& page) override;
  std::optional<int> AskDataFileChoice(const ChoiceRequest& page) override;
  std::optional<std::string> AskDataFilePath(const DataFileDialog& dialog) override;
  std::optional<bool> AskTypedReference(const std::string& caption, const std::string& message) override;
  std::optional<float> AskActualValue(const NumberRequest& request) override;
  bool AskStart(const StartPage& page) override;
  void RunMeasuringWindow(MeasuringWindow& window) override;

 private:
  QWidget* Parent() const;

  QPointer<QWidget> owner_;
  const ProgramState& state_;
  QtTechnician& technician_;
};

// The verification of a channel kind from the main window's menu: the pages, the service operations
// window and the measuring window modal over `owner`; `opener` opens the HART modem's port.
VerificationResult VerifyChannelInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                          VerificationSettings& settings, const PortOpener& opener,
                                          int channelKind);

}  // namespace ruvenset
