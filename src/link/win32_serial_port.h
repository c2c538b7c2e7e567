#pragma once
#include <memory>
#include <string>

#include "link/port_open.h"

namespace ruvenset {

// The device name Windows opens for a port name: COM1..COM255 in any case become \\.\COMn (the only
// form that reaches COM10 and above); anything else is used as it is.
std::string WindowsPortDevice(const std::string& name);

// A COM port opened exclusively (no sharing, and a named lock that keeps out another Ruvenset where the
// driver does not refuse a second open, as Wine's does not) for overlapped reads: a read waits for its bytes
// and for the stop's event together, so Stop ends it at once and the first-byte and next-byte waits are
// counted exactly as on Linux. Modem-control calls that the port refuses (Wine's COM ports on
// pseudo-terminals have no modem lines) are ignored, as the POSIX port ignores them on a pseudo-terminal.
class Win32SerialPort final : public SerialPort {
 public:
  static PortOpenResult Open(const std::string& name, std::unique_ptr<Win32SerialPort>& port);
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  bool Configure(const LineSettings& line) override;
  LineSettings Line() const override { return line_; }
  void Purge() override;
  void SetDtr(bool on) override;
  void SetRts(bool on) override;
  void SetTimeouts(const ReadTimeouts& timeouts) override { timeouts_ = timeouts; }
  bool Write(const uint8_t* data, size_t size) override;
  int Read(uint8_t* data, size_t size) override;
  void SendLastRequest(const uint8_t* data, size_t size, bool keyRts, int answerWaitMs) override;

 private:
  Win32SerialPort(void* handle, void* lock, void* readEvent, void* writeEvent)
      : handle_(handle), lock_(lock), readEvent_(readEvent), writeEvent_(writeEvent) {}
  // One overlapped read of what has arrived (at least a byte), ended early by the stop or at waitMs.
  // Returns the count read, or -1 when the read failed; `stopped` tells that the stop ended it.
  int ReadSome(uint8_t* data, size_t size, int64_t waitMs, bool& stopped);

  void* handle_;
  void* lock_;
  void* readEvent_;
  void* writeEvent_;
  LineSettings line_;
  ReadTimeouts timeouts_;
};

}  // namespace ruvenset
