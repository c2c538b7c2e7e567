#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset {

// The HART exchange buffer: the request from offset 0, the response from offset 256.
inline constexpr int kHartBufferSize = 512;
inline constexpr int kHartResponseAt = 256;
inline constexpr int kHartIdentitySize = 5;
// Preambles sent before every request.
inline constexpr int kHartRequestPreambles = 10;

// Delimiters of the data-link layer: master requests and field-device responses, short and long address.
inline constexpr uint8_t kHartShortRequest = 0x02;
inline constexpr uint8_t kHartLongRequest = 0x82;
inline constexpr uint8_t kHartShortResponse = 0x06;
inline constexpr uint8_t kHartLongResponse = 0x86;

// Commands the program sends.
inline constexpr int kHartReadIdentity = 0;
inline constexpr int kHartReadPrimary = 1;
inline constexpr int kHartSetPrimaryZero = 43;
inline constexpr int kHartResetZero = 52;
inline constexpr int kHartReadVariables = 110;

// Results of one HART exchange.
enum HartStatus : int {
  kHartOk = 0,
  kHartWriteFailed = 1,
  kHartReadFailed = 2,  // a read error, or a response for another address
  kHartNoResponse = 3,  // nothing, too many preambles, or fewer bytes than announced
  kHartBadCheckByte = 6,
  kHartWrongCommand = 7,
  kHartResponseError = 8,
  kHartUnknownUnit = 9,
  kHartWrongDelimiter = 10,
  kHartInvalidSelection = 13,  // command 52, response code 2
  kHartNearestValue = 14,      // response code 8
  kHartPressureTooHigh = 15,   // response code 9
  kHartZeroForbidden = 16,     // response code 24
  kHartNotZeroed = 17,         // the field device status does not report the change
  kHartZeroFailed = 18,        // any other response code
  kHartWrongAddress = 19,      // the echoed long address is not the request's
};

// The longitudinal parity of a frame: the XOR of its bytes.
uint8_t HartCheckByte(const uint8_t* bytes, size_t size);

// Builds a request at out and returns its length including the check byte. Command 0 goes in a short
// frame to the polling address; every other command in a long frame to the identity; command 52 carries
// one data byte, 0 (the primary variable).
int BuildHartRequest(uint8_t* out, int command, int pollAddress, const uint8_t identity[kHartIdentitySize]);

// The language text the HART message window shows for a status, 0 for none.
int HartStatusTextId(int status);
// The shorter text a measuring window adds after language text 2218 for a failed reading, 0 for none.
int HartReadingErrorTextId(int status);
// Status of a zero-setting response code of command 52 (0 stays 0).
int HartZeroStatus(int responseCode);

}  // namespace ruvenset
