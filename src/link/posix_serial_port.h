#pragma once
#include <memory>
#include <string>

#include "link/port_open.h"

namespace ruvenset {

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
