#pragma once
#include <cstdint>
#include <span>

#include "link/frame.h"

namespace ruvenset {

// The request's start byte: 0xAA asks, 0xBB asks for a change that the flow computer may refuse.
enum class RequestKind : uint8_t { Read, Write };

// Which command bytes count as an answer.
enum class AcceptMode : uint8_t {
  // The command with bit 7 set, or, to a write, the command itself (a refusal).
  Answer,
  // Also 0xFF, the answer to a command the flow computer does not know: enough to show that a flow
  // computer listens at this speed (the link check on connect).
  AnswerOrUnknownCommand,
};

// A refusal carries its code and two arguments.
inline constexpr int kRefusalDataSize = 3;
// Data bytes that fit in one request frame.
inline constexpr int kMaxRequestData = 255 - kMinFrameLength;

// One request to the flow computer. The frame is the data bytes and six bytes of framing long.
struct LinkRequest {
  RequestKind kind = RequestKind::Read;
  uint8_t address = 1;
  uint8_t command = 0;
  std::span<const uint8_t> data;  // data byte k goes to request offset 4 + k
  AcceptMode accept = AcceptMode::Answer;
  // The data bytes the reader of the answer needs: an answer with fewer is a wrong answer. A refusal
  // needs its three bytes whatever the reader asks for.
  int answerData = 0;
  // An answer of exactly this many data bytes is good too (an old flow computer identifies itself with
  // one byte); -1: none.
  int shortAnswerData = -1;
  // The answer carries exactly answerData bytes (a memory read answers with the count it was asked
  // for): any other size is an answer to some other request, late on the line, and is wrong.
  bool exactAnswer = false;

  int length() const { return kMinFrameLength + static_cast<int>(data.size()); }
};

}  // namespace ruvenset
