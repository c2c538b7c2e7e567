#include "verification/hart_link.h"

#include "common/device_models.h"

#include <algorithm>
#include <cstring>

#include "common/unit_tables.h"
#include "device/identify.h"

namespace ruvenset {
namespace {

constexpr int64_t kMs = 1'000'000;
constexpr int64_t kRtsLeadNs = 2 * kMs;
// Preambles a response may start with, and other bytes tolerated before it.
constexpr int kMaxResponsePreambles = 50;
constexpr int kNoiseBudget = 50;
// What a 0xFF byte means on the line.
constexpr uint8_t kPreamble = 0xFF;
// Where the fields of a response lie in the buffer.
constexpr int kShortHeader = 4;  // delimiter, address, command, byte count
constexpr int kLongHeader = 8;   // delimiter, 5 address bytes, command, byte count
// Command 0 answers with at least 12 data bytes after the response code and the device status.
constexpr int kIdentityCount = 14;

float BigEndianFloat(const uint8_t* p) {
  const uint32_t bits = (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
                        (static_cast<uint32_t>(p[2]) << 8) | p[3];
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

}  // namespace

bool SharesFlowComputerLine(int deviceType) {
  return ModelOf(deviceType).sharedLine;
}

void HartLink::AttachShared(SerialPort* port) {
  Release();
  port_ = port;
  buffer_ = std::make_unique<uint8_t[]>(kHartBufferSize);
}

void HartLink::AttachOwn(std::unique_ptr<SerialPort> port) {
  Release();
  own_ = std::move(port);
  port_ = own_.get();
  buffer_ = std::make_unique<uint8_t[]>(kHartBufferSize);
}

void HartLink::Release() {
  port_ = nullptr;
  own_.reset();
  buffer_.reset();
}

void HartLink::SetTarget(int pollAddress, int type, int variable) {
  pollAddress_ = pollAddress;
  type_ = type;
  variable_ = std::clamp(variable, 0, 3);
}

void HartLink::SetIdentity(const uint8_t identity[kHartIdentitySize]) {
  std::memcpy(identity_, identity, kHartIdentitySize);
}

int HartLink::Exchange(int command, int channelKind) {
  const auto stopped = [this] {
    if (stop_ == nullptr || !stop_->requested()) return false;
    stop_->Clear();
    return true;
  };
  if (stopped()) return kHartNoResponse;
  const int status = Attempt(command, channelKind);
  return stopped() ? kHartNoResponse : status;
}

int HartLink::Attempt(int command, int channelKind) {
  if (!open()) return kHartWriteFailed;
  uint8_t* b = buffer_.get();
  const int length = BuildHartRequest(b, command, pollAddress_, identity_);
  uint8_t out[kHartRequestPreambles + 16];
  std::memset(out, kPreamble, kHartRequestPreambles);
  std::memcpy(out + kHartRequestPreambles, b, static_cast<size_t>(length));

  port_->Purge();
  port_->SetDtr(true);
  port_->SetRts(true);
  clock_.SleepFor(kRtsLeadNs);
  const int64_t start = clock_.NowNs();
  const int64_t bits = 11 * length + 111;
  if (!port_->Write(out, static_cast<size_t>(kHartRequestPreambles + length))) {
    port_->SetRts(false);
    return kHartWriteFailed;
  }
  clock_.WaitUntil(start + bits * 1'000'000'000 / kHartLine.bitsPerSecond);
  port_->SetRts(false);
  return Receive(command, channelKind);
}

int HartLink::Receive(int command, int channelKind) {
  uint8_t* b = buffer_.get();
  uint8_t* r = b + kHartResponseAt;
  const int64_t waitMs = settings_.FirstByteWaitMs();
  port_->SetTimeouts({0, 0, static_cast<int>(waitMs)});
  const int64_t start = clock_.NowNs();
  int preambles = 0;
  int budget = kNoiseBudget;
  for (;;) {
    uint8_t byte = 0;
    const int n = port_->Read(&byte, 1);
    if (n < 0) return kHartReadFailed;
    if (n == 0) return kHartNoResponse;
    if (byte == kPreamble) {
      if (++preambles > kMaxResponsePreambles) return kHartNoResponse;
      continue;
    }
    if ((byte == kHartShortResponse || byte == kHartLongResponse) && preambles > 0) {
      r[0] = byte;
      break;
    }
    preambles = 0;
    if (--budget <= 0 || clock_.NowNs() - start > waitMs * kMs) return kHartNoResponse;
  }

  const int gap = settings_.nextByteWait;
  port_->SetTimeouts({gap, gap * 2 / 3 + 1, gap});
  const bool longResponse = r[0] == kHartLongResponse;
  int n = port_->Read(r + 1, 1);
  if (n < 0) return kHartReadFailed;
  if (n < 1) return kHartNoResponse;
  if (r[1] != b[1]) return kHartReadFailed;
  const int header = longResponse ? kLongHeader : kShortHeader;
  n = port_->Read(r + 2, static_cast<size_t>(header - 2));
  if (n < 0) return kHartReadFailed;
  if (n < header - 2) return kHartNoResponse;
  const int count = r[header - 1];
  // The whole response must fit the buffer behind the header: count data bytes and the check byte.
  if (kHartResponseAt + header + count + 1 > kHartBufferSize) return kHartNoResponse;
  n = port_->Read(r + header, static_cast<size_t>(count + 1));
  if (n < 0) return kHartReadFailed;
  if (n < count + 1) return kHartNoResponse;

  if (HartCheckByte(r, static_cast<size_t>(header + count + 1)) != 0) return kHartBadCheckByte;
  const bool longRequest = b[0] == kHartLongRequest;
  if (longResponse != longRequest) return kHartWrongDelimiter;
  if (r[header - 2] != static_cast<uint8_t>(command)) return kHartWrongCommand;
  if (count < 2) return kHartNoResponse;
  const uint8_t code = r[header];
  const uint8_t deviceStatus = r[header + 1];
  if (command == kHartResetZero) {
    if (code != 0) return HartZeroStatus(code);
    if (std::memcmp(r + 1, b + 1, kHartIdentitySize) != 0) return kHartWrongAddress;
    if (!(deviceStatus & 0x40)) return kHartNotZeroed;
    return kHartOk;
  }
  if (code != 0) return kHartResponseError;
  if (command == kHartReadIdentity && count < kIdentityCount) return kHartNoResponse;
  if (command == kHartReadPrimary || command == kHartReadVariables) return ReadingOf(command, channelKind);
  return kHartOk;
}

int HartLink::ReadingOf(int command, int channelKind) {
  const uint8_t* r = buffer_.get() + kHartResponseAt;
  const int count = r[kLongHeader - 1];
  const int at = command == kHartReadPrimary ? 0 : 5 * variable_;
  // Data bytes follow the response code and the field device status.
  if (2 + at + 5 > count) return kHartNoResponse;
  const uint8_t* data = r + kLongHeader + 2;
  const int unit = channelKind == 0 ? MapHartPressureUnit(data[at]) : MapHartDiffPressureUnit(data[at]);
  if (unit < 0) return kHartUnknownUnit;
  unitCode_ = unit;
  reading_ = BigEndianFloat(data + at + 1);
  return kHartOk;
}

int HartLink::Poll(int channelKind) {
  HartLineScope line(port_, shared());
  return Exchange(type_ == kTransmitter3095 ? kHartReadVariables : kHartReadPrimary, channelKind);
}

HartLineScope::HartLineScope(SerialPort* port, bool active) : port_(port), active_(active && port) {
  if (!active_) return;
  saved_ = port_->Line();
  port_->Configure(kHartLine);
}

HartLineScope::~HartLineScope() {
  if (active_) port_->Configure(saved_);
}

}  // namespace ruvenset
