#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "common/stop_signal.h"

namespace ruvenset {

// Read time-outs in milliseconds, as the flow computer's protocol counts them: the longest gap between
// two bytes once the first has come, and a total of perByte x count + constant for the whole read.
struct ReadTimeouts {
  int intervalMs = 0;
  int perByteMs = 0;
  int constantMs = 0;

  // When a read of `size` bytes that started at startNs gives up as a whole.
  int64_t TotalDeadlineNs(int64_t startNs, size_t size) const {
    return startNs + (int64_t{perByteMs} * static_cast<int64_t>(size) + constantMs) * 1'000'000;
  }
  // When the next byte must have come: the total deadline, or sooner the interval after the last byte
  // once `got` bytes have come.
  int64_t NextByteDeadlineNs(int64_t totalDeadlineNs, size_t got, int64_t lastByteNs) const {
    if (got == 0 || intervalMs <= 0) return totalDeadlineNs;
    return std::min(totalDeadlineNs, lastByteNs + int64_t{intervalMs} * 1'000'000);
  }
};

enum class Parity : uint8_t { None, Odd };

struct LineSettings {
  int bitsPerSecond = 1200;
  Parity parity = Parity::None;
};

// The serial line as the transaction engine sees it. Every call returns its own result; nothing is
// reported through errno or a "last error".
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // 8 data bits, one stop bit, no flow control; false when the driver refuses the settings.
  virtual bool Configure(const LineSettings& line) = 0;
  virtual LineSettings Line() const = 0;
  // Drops whatever waits in the transmit and receive buffers.
  virtual void Purge() = 0;
  // Modem-control lines; ignored where the device has none (a pseudo-terminal).
  virtual void SetDtr(bool on) = 0;
  virtual void SetRts(bool on) = 0;
  virtual void SetTimeouts(const ReadTimeouts& timeouts) = 0;
  // Writes all bytes; false when the port refused them.
  virtual bool Write(const uint8_t* data, size_t size) = 0;
  // Reads up to size bytes under the current time-outs. Returns the count read (a time-out returns
  // the partial count, possibly 0), or -1 when the read itself failed. A requested stop ends the read
  // at once, as a time-out would.
  virtual int Read(uint8_t* data, size_t size) = 0;
  // The last request of a process that is being ended (a second Ctrl-C while the flow computer may be in
  // service mode): sends the whole transmission, keying RTS around it when asked, and waits at most
  // answerWaitMs for the answer, which it drops. Uses only calls that a signal handler may make, since it
  // runs in one. A port that cannot does nothing.
  virtual void SendLastRequest(const uint8_t*, size_t, bool /*keyRts*/, int /*answerWaitMs*/) {}
  // The stop that ends a read early (null: reads end by their time-outs only). A port that passes its
  // reads on to another passes the stop on too.
  virtual void SetStop(const StopSignal* stop) { stop_ = stop; }

 protected:
  bool StopRequested() const { return stop_ != nullptr && stop_->requested(); }
  const StopSignal* stop_ = nullptr;
};

}  // namespace ruvenset
