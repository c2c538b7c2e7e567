#include "shell/connect_operation.h"

#include "link/com_slots.h"
#include "shell/link_error.h"

namespace ruvenset {
namespace {

// Shows the slot and the speed being tried in the connection panel.
class PanelObserver final : public ConnectObserver {
 public:
  PanelObserver(const ProgramState& state, Technician& technician) : state_(state), technician_(technician) {}
  void Trying(int portNumber, int bitsPerSecond) override {
    technician_.SetStatusText(state_.Text(2615));
    technician_.SetConnectionText(
        state_.givenPort.path.empty() ? state_.texts.FormatText(1456, {portNumber, bitsPerSecond})
                                      : state_.texts.FormatText(3120, {GivenPortName(state_), bitsPerSecond}));
  }

 private:
  const ProgramState& state_;
  Technician& technician_;
};

}  // namespace

std::string GivenPortName(const ProgramState& state) {
  const GivenPort& given = state.givenPort;
  return given.simulated ? state.Text(3133) + " (" + given.path + ")" : given.path;
}

std::string ConnectionPanelText(const ProgramState& state) {
  const LinkSettings& l = state.config.link;
  if (!state.givenPort.path.empty())
    return state.texts.FormatText(3120, {GivenPortName(state), kSpeedTable[l.speedIndex]});
  return state.texts.FormatText(1456, {l.portIndex + 1, kSpeedTable[l.speedIndex]});
}

std::string PortFailureText(const ProgramState& state, const std::string& path,
                            const PortOpenResult& result) {
  const int slot = state.config.link.portIndex;
  std::string text = path == ComSlotPath(state.config, slot) ? state.texts.FormatText(2855, {slot + 1})
                                                             : state.texts.FormatText(3121, {path});
  switch (result.error) {
    case PortOpenError::NoPermission:
      text += "\n" + std::string(state.Bilingual("Нет прав на ", "Немає прав на ")) + path +
              state.Bilingual(
                  ": пользователь должен входить в группу dialout (sudo usermod -aG dialout $USER, "
                  "затем выйти из системы и войти снова).",
                  ": користувач має входити до групи dialout (sudo usermod -aG dialout $USER, "
                  "потім вийти з системи й увійти знову).");
      break;
    case PortOpenError::Busy:
      text += "\n" + path +
              state.Bilingual(": порт занят другой программой.", ": порт зайнятий іншою програмою.");
      break;
    case PortOpenError::NotFound:
      text += "\n" + path +
              state.Bilingual(": устройство не найдено (адаптер подключён?).",
                              ": пристрій не знайдено (адаптер підключено?).");
      break;
    default:
      text += "\n" + path;
      break;
  }
  return text;
}

ConnectResult ConnectToFlowComputer(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                    const PortOpener& opener, const std::string& pathOverride) {
  state.connected = false;
  state.ClosePort();
  state.link.runtime() = LinkRuntime{};
  const std::string given = pathOverride.empty() ? state.givenPort.path : pathOverride;
  const std::string path = given.empty() ? ComSlotPath(state.config, state.config.link.portIndex) : given;
  std::unique_ptr<SerialPort> port;
  const PortOpenResult opened = opener(path, port);
  if (opened.error != PortOpenError::None) {
    technician.ShowMessageWindow(state.Text(2385), PortFailureText(state, path, opened), state.Text(2278));
    return ConnectResult::PortFailed;
  }
  state.AttachPort(std::move(port));

  PanelObserver observer(state, technician);
  const LinkStatus status = FindFlowComputer(state.link, &observer);
  technician.SetStatusText("");
  if (status != LinkOk) {
    ShowLinkError(state, technician, status);
    state.ClosePort();
    technician.SetConnectionText("");
    return ConnectResult::NoFlowComputer;
  }
  technician.SetConnectionText(ConnectionPanelText(state));
  switch (RunConnectSequence(state, technician, passwords)) {
    case ConnectOutcome::Connected:
      return ConnectResult::Connected;
    case ConnectOutcome::Refused:
      return ConnectResult::Refused;
    case ConnectOutcome::Abandoned:
      break;
  }
  return ConnectResult::Abandoned;
}

}  // namespace ruvenset
