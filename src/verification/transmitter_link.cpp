#include "verification/transmitter_link.h"

#include "link/com_slots.h"

namespace ruvenset {
namespace {

// Where the identity lies in a command 0 response (buffer offsets): manufacturer, device type and the
// three bytes of the device identifier.
constexpr int kIdentityManufacturer = 263;
constexpr int kIdentityDeviceType = 264;
constexpr int kIdentityDeviceId = 271;

}  // namespace

void ShowHartMessage(const ProgramState& state, Technician& technician, int status) {
  const int text = HartStatusTextId(status);
  if (text != 0) technician.ShowMessageWindow(state.Text(2385), state.Text(text), state.Text(2278));
}

bool OpenTransmitterLink(ProgramState& state, Technician& technician, const TransmitterChoice& choice,
                         const PortOpener& opener, HartLink& link) {
  if (!ValidPollingAddress(choice.address)) return false;
  if (SharesFlowComputerLine(state.record.id.type)) {
    if (state.port == nullptr) return false;
    link.AttachShared(state.port.get());
  } else {
    const std::string path =
        choice.portPath.empty() ? ComSlotPath(state.config, choice.portSlot) : choice.portPath;
    std::unique_ptr<SerialPort> port;
    if (opener(path, port).error != PortOpenError::None || port == nullptr) {
      technician.ShowMessageWindow(state.Text(2385), state.Text(2848), state.Text(2278));
      return false;
    }
    port->SetDtr(true);
    port->SetStop(&state.link.stop());  // Stop ends the reference's waits too
    if (!port->Configure(kHartLine)) {
      technician.ShowMessageWindow(state.Text(2385), state.Text(2848), state.Text(2278));
      return false;
    }
    link.AttachOwn(std::move(port));
  }
  link.SetTarget(choice.address, choice.type, choice.variable);
  link.SetStop(&state.link.stop());

  for (;;) {
    int status = kHartOk;
    {
      HartLineScope line(link.port(), link.shared());
      status = link.Exchange(kHartReadIdentity, 0);
    }
    if (status == kHartOk) {
      const uint8_t* b = link.buffer();
      const uint8_t identity[kHartIdentitySize] = {b[kIdentityManufacturer], b[kIdentityDeviceType],
                                                   b[kIdentityDeviceId], b[kIdentityDeviceId + 1],
                                                   b[kIdentityDeviceId + 2]};
      link.SetIdentity(identity);
      return true;
    }
    ShowHartMessage(state, technician, status);
    if (!technician.Confirm("", state.Text(2191))) {
      ReleaseTransmitterLink(link);
      return false;
    }
  }
}

void ReleaseTransmitterLink(HartLink& link) {
  link.Release();
}

}  // namespace ruvenset
