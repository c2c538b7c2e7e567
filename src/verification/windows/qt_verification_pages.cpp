#include "verification/windows/qt_verification_pages.h"

#include <QApplication>

#include "device/windows/choice_dialogs.h"
#include "link/com_slots.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "verification/wall_clock.h"
#include "verification/windows/measuring_windows.h"
#include "verification/windows/qt_protocol_pages.h"
#include "verification/windows/reference_pages.h"
#include "verification/windows/service_window.h"
#include "verification/windows/start_pages.h"
#include "verification/windows/substitute_value_window.h"

namespace ruvenset {

QWidget* QtVerificationPages::Parent() const {
  // A page asked from the measuring window (a new actual value) opens over that window.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return owner_;
}

std::optional<SubstituteValueAnswer> QtVerificationPages::AskSubstituteValue(
    const SubstituteValuePage& page) {
  return OnUiThread([&]() -> std::optional<SubstituteValueAnswer> {
    TForm45 window(Parent(), state_, page);
    return window.Ask();
  });
}

std::optional<int> QtVerificationPages::AskPollReference(const ChoiceRequest& page) {
  return OnUiThread([&]() -> std::optional<int> {
    TForm46 window(Parent(), state_, page);
    return window.AskChoice();
  });
}

std::optional<TransmitterChoice> QtVerificationPages::AskTransmitter(const TransmitterPage& page) {
  return OnUiThread([&]() -> std::optional<TransmitterChoice> {
    std::vector<std::string> paths;
    for (int slot = 0; slot < kComSlotCount; ++slot) paths.push_back(ComSlotPath(state_.config, slot));
    TForm47 window(Parent(), state_, page, paths);
    return window.Ask();
  });
}

std::optional<int> QtVerificationPages::AskTransmitterVariable(const ChoiceRequest& page) {
  return OnUiThread([&]() -> std::optional<int> {
    TForm48 window(Parent(), state_, page);
    return window.AskChoice();
  });
}

std::optional<int> QtVerificationPages::AskReferencePressureKind(const ChoiceRequest& page) {
  return OnUiThread([&]() -> std::optional<int> {
    TForm49 window(Parent(), state_, page);
    return window.AskChoice();
  });
}

std::optional<int> QtVerificationPages::AskDataFileChoice(const ChoiceRequest& page) {
  return OnUiThread([&]() -> std::optional<int> {
    TFdann window(Parent(), page);
    window.EscapeCancels();
    return window.AskChoice();
  });
}

std::optional<std::string> QtVerificationPages::AskDataFilePath(const DataFileDialog& dialog) {
  return OnUiThread([&]() -> std::optional<std::string> {
    DataFileWindow window(Parent(), state_, dialog);
    return window.Ask();
  });
}

std::optional<bool> QtVerificationPages::AskTypedReference(const std::string& caption,
                                                           const std::string& message) {
  return OnUiThread([&]() -> std::optional<bool> {
    TOKBottomDlg window(Parent(), Q(caption), Q(message), Q(state_.Text(1773)), Q(state_.Text(1772)));
    return window.AnswerOrCancel();
  });
}

std::optional<float> QtVerificationPages::AskActualValue(const NumberRequest& request) {
  return OnUiThread([&]() -> std::optional<float> {
    TForm51 window(Parent(), request);
    return window.AskNumber();
  });
}

bool QtVerificationPages::AskStart(const StartPage& page) {
  return OnUiThread([&]() -> bool {
    TForm52 window(Parent(), state_, page);
    return window.Ask();
  });
}

void QtVerificationPages::RunMeasuringWindow(MeasuringWindow& window) {
  OnUiThread([&] {
    if (window.markers()) {
      TForm54 shown(Parent(), state_, window);
      shown.Run();
    } else {
      TForm55 shown(Parent(), state_, window);
      shown.Run();
    }
  });
}

VerificationResult VerifyChannelInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                          VerificationSettings& settings, const PortOpener& opener,
                                          int channelKind) {
  QtVerificationPages pages(owner, state, technician);
  QtServiceWindowHost serviceHost(owner);
  SystemWallClock wallClock;
  QtProtocolPages protocol(owner, state);
  VerificationTools tools{technician, technician, pages, serviceHost, opener, wallClock, protocol};
  return RunVerification(state, technician, tools, settings, channelKind);
}

}  // namespace ruvenset
