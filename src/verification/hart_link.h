#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "link/link_clock.h"
#include "link/link_settings.h"
#include "link/serial_port.h"
#include "verification/hart_frame.h"

namespace ruvenset {

// Transmitter types of the transmitter page.
inline constexpr int kTransmitter3051 = 0;  // single variable, command 1
inline constexpr int kTransmitter3095 = 1;  // multivariable, command 110

// What the technician chose on the transmitter page.
struct TransmitterChoice {
  int portSlot = 0;      // COM1..COM8 as 0..7; not used on the flow computer's own line
  std::string portPath;  // a device path that replaces the slot's (empty: the slot's device)
  int type = kTransmitter3051;
  int address = 1;   // polling address 1..15
  int variable = 0;  // 3095: 0 differential pressure, 1 pressure, 2 temperature, 3 flow
};

// Flow computer models whose HART transmitter hangs on the flow computer's own line.
bool SharesFlowComputerLine(int deviceType);
// The polling addresses the transmitter page accepts.
inline bool ValidPollingAddress(int address) {
  return address >= 1 && address <= 15;
}

// The HART line: 1200 bit/s, 8 data bits, odd parity, one stop bit.
inline constexpr LineSettings kHartLine{1200, Parity::Odd};

// A master link to one HART transmitter, over a port of its own (a HART modem) or over the flow
// computer's line. It owns the 512-byte exchange buffer while it is open.
class HartLink {
 public:
  HartLink(LinkClock& clock, const LinkSettings& settings) : clock_(clock), settings_(settings) {}
  ~HartLink() { Release(); }
  HartLink(const HartLink&) = delete;
  HartLink& operator=(const HartLink&) = delete;

  // The flow computer's port, switched to HART settings only for the HART exchanges.
  void AttachShared(SerialPort* port);
  // A port of its own that keeps the HART settings while the link is open.
  void AttachOwn(std::unique_ptr<SerialPort> port);
  // Closes an own port and frees the buffer; safe to call again.
  void Release();
  // The technician's Stop: it ends the running wait for a response (the port polls it), or, pressed
  // before the request went out, the exchange without sending. The exchange it ended uses it up, so it
  // does not also end the flow computer's next exchange.
  void SetStop(StopSignal* stop) { stop_ = stop; }

  bool open() const { return port_ != nullptr; }
  bool shared() const { return open() && !own_; }
  SerialPort* port() const { return port_; }

  void SetTarget(int pollAddress, int type, int variable);
  void SetIdentity(const uint8_t identity[kHartIdentitySize]);
  const uint8_t* identity() const { return identity_; }
  int pollAddress() const { return pollAddress_; }
  int type() const { return type_; }
  int variable() const { return variable_; }

  // One exchange on the line as it is set: builds the request for `command`, sends it with the RTS
  // timing of a HART modem and checks the response. The reading commands (1, 110) also take the
  // transmitter's unit and value; channelKind 0 maps pressure units, any other differential-pressure
  // units. Returns a HartStatus.
  int Exchange(int command, int channelKind);
  // The reading of the transmitter type (command 1 or 110); on a shared line the port is switched to
  // HART settings for the exchange and back to its own settings right after it.
  int Poll(int channelKind);

  // The exchange buffer (request at 0, response at 256); null while the link is closed.
  uint8_t* buffer() { return buffer_.get(); }
  // Unit code (mapped, see unit_tables.h) and value of the last successful reading.
  int unitCode() const { return unitCode_; }
  float reading() const { return reading_; }

 private:
  // One request and its response, whatever the stop.
  int Attempt(int command, int channelKind);
  int Receive(int command, int channelKind);
  int ReadingOf(int command, int channelKind);

  LinkClock& clock_;
  const LinkSettings& settings_;
  SerialPort* port_ = nullptr;
  std::unique_ptr<SerialPort> own_;
  StopSignal* stop_ = nullptr;
  std::unique_ptr<uint8_t[]> buffer_;
  uint8_t identity_[kHartIdentitySize] = {};
  int pollAddress_ = 0;
  int type_ = kTransmitter3051;
  int variable_ = 0;
  int unitCode_ = -1;
  float reading_ = 0;
};

// Switches a port to the HART line for one exchange and back to what it was when leaving the scope.
class HartLineScope {
 public:
  HartLineScope(SerialPort* port, bool active);
  ~HartLineScope();
  HartLineScope(const HartLineScope&) = delete;
  HartLineScope& operator=(const HartLineScope&) = delete;

 private:
  SerialPort* port_;
  bool active_;
  LineSettings saved_;
};

}  // namespace ruvenset
