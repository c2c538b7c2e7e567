#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "link/link_clock.h"
#include "link/serial_port.h"

namespace ruvenset {

// An in-memory serial port in virtual time. Whatever is written goes to the peer callback, which
// answers by delivering bytes that arrive at chosen moments; reads follow the same time-out rules as
// a real port, advancing the clock instead of sleeping.
class LoopbackPort final : public SerialPort {
 public:
  using Peer = std::function<void(const uint8_t* data, size_t size)>;

  explicit LoopbackPort(LinkClock& clock) : clock_(clock) {}
  void SetPeer(Peer peer) { peer_ = std::move(peer); }

  // Queues bytes that begin to arrive delayNs from now, one every bytePeriodNs.
  void Deliver(const uint8_t* data, size_t size, int64_t delayNs = 0, int64_t bytePeriodNs = 0);
  void Deliver(const std::vector<uint8_t>& bytes, int64_t delayNs = 0, int64_t bytePeriodNs = 0) {
    Deliver(bytes.data(), bytes.size(), delayNs, bytePeriodNs);
  }
  void FailWrites(bool fail) { failWrites_ = fail; }
  void FailReads(bool fail) { failReads_ = fail; }

  const std::vector<uint8_t>& written() const { return written_; }
  int writeCount() const { return writeCount_; }
  int rtsRaises() const { return rtsRaises_; }
  bool rts() const { return rts_; }
  int64_t rtsDroppedAt() const { return rtsDroppedAt_; }

  bool Configure(const LineSettings& line) override {
    line_ = line;
    return true;
  }
  LineSettings Line() const override { return line_; }
  void Purge() override;
  void SetDtr(bool) override {}
  void SetRts(bool on) override;
  void SetTimeouts(const ReadTimeouts& timeouts) override { timeouts_ = timeouts; }
  bool Write(const uint8_t* data, size_t size) override;
  int Read(uint8_t* data, size_t size) override;

 private:
  struct Arrival {
    uint8_t byte;
    int64_t at;
  };
  LinkClock& clock_;
  Peer peer_;
  std::deque<Arrival> incoming_;
  std::vector<uint8_t> written_;
  LineSettings line_;
  ReadTimeouts timeouts_;
  bool failWrites_ = false;
  bool failReads_ = false;
  bool rts_ = false;
  int rtsRaises_ = 0;
  int writeCount_ = 0;
  int64_t rtsDroppedAt_ = 0;
};

}  // namespace ruvenset
