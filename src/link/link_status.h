#pragma once

namespace ruvenset {

// Result of one exchange with the flow computer.
enum LinkStatus : int {
  LinkOk = 0,
  LinkWriteFailed = 1,
  LinkNoAnswer = 2,
  LinkShortAnswer = 3,
  LinkWrongAnswer = 4,
  LinkEchoRejected = 5,  // reserved: no exchange produces it
  LinkBadChecksum = 6,
  LinkReadFailed = 7,
};

const char* LinkStatusName(int status);

}  // namespace ruvenset
