#include "link/link.h"

#include <algorithm>
#include <cstring>

#include "common/device_models.h"

namespace ruvenset {
namespace {

constexpr int64_t kMs = 1'000'000;
// RTS is raised this long before the request goes out, so a modem's transmitter has settled.
constexpr int64_t kRtsLeadNs = 2 * kMs;

}  // namespace

int RtsHoldBitTimes(int length, int preambles, int preambleInRts, int deviceType) {
  if (preambleInRts && !ModelOf(deviceType).rtsHoldWithoutPreambles) return (length + preambles) * 10 + 1;
  return length * 10 + 1;
}

LinkStatus Link::Receive(int address, int64_t firstByteWaitMs, Reply& reply) {
  reply = Reply::Read;
  received_ = 0;
  uint8_t* response = frame_.response();
  const int64_t start = clock_.NowNs();
  port_->SetTimeouts({8000, 8, static_cast<int>(firstByteWaitMs)});
  for (;;) {
    uint8_t byte = 0;
    const int n = port_->Read(&byte, 1);
    if (n < 0) return LinkReadFailed;
    if (n == 0) return LinkNoAnswer;
    if (byte == kResponseStartA || byte == kResponseStartB) {
      response[0] = byte;
      received_ = 1;
      break;
    }
    if (clock_.NowNs() - start > firstByteWaitMs * kMs) return LinkNoAnswer;
  }

  const int gap = settings_.nextByteWait;
  port_->SetTimeouts({gap, gap * 2 / 3 + 1, 10000});
  int n = port_->Read(response + 1, 2);
  if (n < 0) return LinkReadFailed;
  received_ = 1 + n;
  if (n < 2) return LinkShortAnswer;
  if (response[1] != address) {
    reply = Reply::WrongAddress;
    return LinkOk;
  }
  const int length = response[2];
  if (length < kMinFrameLength) {
    reply = Reply::BadLength;
    return LinkOk;
  }
  n = port_->Read(response + 3, static_cast<size_t>(length - 3));
  if (n < 0) return LinkReadFailed;
  received_ = 3 + n;
  if (n < length - 3) return LinkShortAnswer;
  return LinkOk;
}

LinkAnswer Link::Transact(const LinkRequest& request) {
  lastStatus_ = Exchange(request);
  lastStopped_ = stop_.requested();
  if (lastStopped_) stop_.Clear();
  return {lastStatus_, answer()};
}

LinkStatus Link::Judge(const LinkRequest& request) const {
  const uint8_t answer = frame_.responseCommand();
  if (request.accept == AcceptMode::AnswerOrUnknownCommand && answer == 0xFF) return LinkOk;
  const bool write = request.kind == RequestKind::Write;
  const bool refusal = write && answer == request.command;
  if (answer == 0xFF || (answer != (request.command | 0x80) && !refusal)) return LinkWrongAnswer;
  const int size = frame_.responseLength() - kMinFrameLength;
  if (refusal) return size >= kRefusalDataSize ? LinkOk : LinkWrongAnswer;
  if (request.exactAnswer) return size == request.answerData ? LinkOk : LinkWrongAnswer;
  return size >= request.answerData || size == request.shortAnswerData ? LinkOk : LinkWrongAnswer;
}

LinkStatus Link::Exchange(const LinkRequest& request) {
  if (port_ == nullptr || request.data.size() > static_cast<size_t>(kMaxRequestData)) return LinkWriteFailed;
  const int length = request.length();
  const int address = request.address;
  const int64_t firstByteWaitMs = settings_.FirstByteWaitMs();
  int attemptsLeft = std::max<int>(settings_.attempts, 1);
  port_->SetDtr(true);

  if (ModelOf(runtime_.deviceType).requestPause && runtime_.prePauseMs == 0) runtime_.prePauseMs = 5;
  if (runtime_.prePauseMs != 0) clock_.SleepFor(runtime_.prePauseMs * kMs);

  for (;;) {
    // A stop that came before the request went out ends the exchange without sending it.
    if (stop_.requested()) return LinkNoAnswer;
    --attemptsLeft;
    std::copy(request.data.begin(), request.data.end(), frame_.requestData());
    BuildRequest(frame_.bytes, request.kind == RequestKind::Write, length, request.command, 0, 0, address);
    port_->Purge();

    const bool keyRts = settings_.rtsKeying != 0;
    int64_t rtsDeadline = 0;
    if (keyRts) {
      port_->SetRts(true);
      clock_.SleepFor(kRtsLeadNs);
      const int64_t t0 = clock_.NowNs();
      const int bits =
          RtsHoldBitTimes(length, settings_.preambles, runtime_.preambleInRts, runtime_.deviceType);
      const int bps = port_->Line().bitsPerSecond;
      rtsDeadline = t0 + static_cast<int64_t>(static_cast<double>(bits) * 1e9 / std::max(bps, 1));
    }

    const int preambles = std::clamp(settings_.preambles, 0, kMaxPreambles);
    std::memset(sendBuffer_, 0xFF, static_cast<size_t>(preambles));
    std::memcpy(sendBuffer_ + preambles, frame_.bytes, static_cast<size_t>(length));
    if (trace_) trace_->Sent(frame_.bytes, length);
    if (!port_->Write(sendBuffer_, static_cast<size_t>(preambles + length))) {
      if (keyRts) port_->SetRts(false);  // never leave a modem's transmitter keyed
      return LinkWriteFailed;
    }
    if (keyRts) {
      clock_.WaitUntil(rtsDeadline);
      port_->SetRts(false);
    }

    Reply reply = Reply::Read;
    LinkStatus outcome = Receive(address, firstByteWaitMs, reply);
    if (trace_ && received_ > 0) trace_->Received(frame_.response(), received_);
    if (outcome == LinkOk) {
      if (reply == Reply::WrongAddress) {
        outcome = LinkWrongAnswer;
      } else if (reply == Reply::BadLength || !ResponseChecksumValid(frame_.response())) {
        outcome = LinkBadChecksum;
      } else {
        outcome = Judge(request);
      }
    }
    if (outcome == LinkOk || attemptsLeft <= 0 || stop_.requested()) return outcome;
  }
}

}  // namespace ruvenset
