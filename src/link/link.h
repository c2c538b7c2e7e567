#pragma once
#include <cstdint>

#include "common/stop_signal.h"
#include "link/frame.h"
#include "link/link_clock.h"
#include "link/link_frame.h"
#include "link/link_request.h"
#include "link/link_settings.h"
#include "link/link_status.h"
#include "link/response_view.h"
#include "link/serial_port.h"

namespace ruvenset {

// Sees every frame that crosses the line (the CLI's --trace).
class FrameTrace {
 public:
  virtual ~FrameTrace() = default;
  virtual void Sent(const uint8_t* bytes, int size) = 0;
  virtual void Received(const uint8_t* bytes, int size) = 0;
};

// What one exchange brought: its status and, when the status is LinkOk, the answer.
struct LinkAnswer {
  LinkStatus status = LinkOk;
  ResponseView response;
};

// Number of bit times RTS stays raised after the request starts: one character is 10 bit times, plus
// one; the preambles count when the flow computer wants them keyed too (never for type 18).
int RtsHoldBitTimes(int length, int preambles, int preambleInRts, int deviceType);

// The link to the flow computer: the open port, the configured settings and what the run learned.
// One exchange at a time, on the thread that owns the link; only stop() is for other threads.
class Link {
 public:
  Link(LinkSettings& settings, LinkClock& clock) : settings_(settings), clock_(clock) {}

  void Attach(SerialPort* port) {
    port_ = port;
    if (port_ != nullptr) port_->SetStop(&stop_);
  }
  SerialPort* port() const { return port_; }
  LinkSettings& settings() { return settings_; }
  LinkRuntime& runtime() { return runtime_; }
  const LinkRuntime& runtime() const { return runtime_; }
  LinkClock& clock() { return clock_; }
  void SetTrace(FrameTrace* trace) { trace_ = trace; }
  // The status the last exchange returned.
  LinkStatus lastStatus() const { return lastStatus_; }
  // The answer of the last exchange; empty unless it returned LinkOk.
  ResponseView answer() const {
    return lastStatus_ == LinkOk ? ResponseView(frame_.response()) : ResponseView();
  }
  // The bytes the last attempt received, whatever became of them (for diagnostics).
  std::span<const uint8_t> received() const { return {frame_.response(), static_cast<size_t>(received_)}; }
  // Ends the wait of the running exchange (or of the next one) as if no answer had come, with no
  // further attempt; the exchange that ends this way takes the request with it.
  StopSignal& stop() { return stop_; }
  // Whether the last exchange was ended by a stop.
  bool lastStopped() const { return lastStopped_; }

  // One request/response exchange with retries; blocks for the whole exchange. An answer that carries
  // fewer data bytes than the request's answerData is a wrong answer and is retried as one.
  LinkAnswer Transact(const LinkRequest& request);

 private:
  LinkStatus Exchange(const LinkRequest& request);
  enum class Reply { Read, WrongAddress, BadLength };
  // Waits for and reads one response into the frame; returns a nonzero status when the read failed.
  LinkStatus Receive(int address, int64_t firstByteWaitMs, Reply& reply);
  // Judges a complete answer with a valid checksum.
  LinkStatus Judge(const LinkRequest& request) const;

  LinkSettings& settings_;
  LinkClock& clock_;
  LinkRuntime runtime_;
  SerialPort* port_ = nullptr;
  FrameTrace* trace_ = nullptr;
  int received_ = 0;  // response bytes read by the last attempt
  LinkStatus lastStatus_ = LinkNoAnswer;
  LinkFrame frame_{};  // the request as sent at 0..255, the response from 256
  StopSignal stop_;
  bool lastStopped_ = false;
  uint8_t sendBuffer_[kMaxPreambles + 256];
};

}  // namespace ruvenset
