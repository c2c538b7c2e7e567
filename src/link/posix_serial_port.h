#pragma once
#include <functional>
#include <memory>
#include <string>

#include "link/serial_port.h"

namespace ruvenset {

enum class PortOpenError : int { None = 0, NotFound, NoPermission, Busy, NotATerminal, Other };

struct PortOpenResult {
  PortOpenError error = PortOpenError::None;
  int systemError = 0;  // errno of the failed call, for the explanation
};

// One plain sentence explaining why a port did not open (the path included).
std::string PortOpenErrorText(const std::string& path, const PortOpenResult& result);

// Opens a device path as a serial port (the real one, or a stand-in in tests).
using PortOpener = std::function<PortOpenResult(const std::string& path, std::unique_ptr<SerialPort>& port)>;
PortOpenResult OpenPosixPort(const std::string& path, std::unique_ptr<SerialPort>& port);

// A serial device opened exclusively: TIOCEXCL keeps other processes from opening it, and an advisory
// lock keeps out programs (another Ruvenset among them) that honour locks but opened it before us.
class PosixSerialPort final : public SerialPort {
 public:
  static PortOpenResult Open(const std::string& path, std::unique_ptr<PosixSerialPort>& port);
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool Configure(const LineSettings& line) override;
  LineSettings Line() const override { return line_; }
  void Purge() override;
  void SetDtr(bool on) override;
  void SetRts(bool on) override;
  void SetTimeouts(const ReadTimeouts& timeouts) override { timeouts_ = timeouts; }
  bool Write(const uint8_t* data, size_t size) override;
  int Read(uint8_t* data, size_t size) override;
  void SendLastRequest(const uint8_t* data, size_t size, bool keyRts, int answerWaitMs) override;

  int fd() const { return fd_; }

 private:
  explicit PosixSerialPort(int fd) : fd_(fd) {}
  void SetModemLine(int bit, bool on);

  int fd_;
  LineSettings line_;
  ReadTimeouts timeouts_;
};

}  // namespace ruvenset
