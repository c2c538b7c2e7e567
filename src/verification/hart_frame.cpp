#include "verification/hart_frame.h"

#include <cstring>

namespace ruvenset {

uint8_t HartCheckByte(const uint8_t* bytes, size_t size) {
  uint8_t x = 0;
  for (size_t i = 0; i < size; ++i) x ^= bytes[i];
  return x;
}

int BuildHartRequest(uint8_t* out, int command, int pollAddress, const uint8_t identity[kHartIdentitySize]) {
  int n = 0;
  if (command == kHartReadIdentity) {
    out[n++] = kHartShortRequest;
    out[n++] = static_cast<uint8_t>(pollAddress);
    out[n++] = 0x00;
    out[n++] = 0x00;
  } else {
    out[n++] = kHartLongRequest;
    std::memcpy(out + n, identity, kHartIdentitySize);
    n += kHartIdentitySize;
    out[n++] = static_cast<uint8_t>(command);
    if (command == kHartResetZero) {
      out[n++] = 1;
      out[n++] = 0;
    } else {
      out[n++] = 0;
    }
  }
  out[n] = HartCheckByte(out, static_cast<size_t>(n));
  return n + 1;
}

int HartStatusTextId(int status) {
  switch (status) {
    case kHartWriteFailed:
      return 2849;
    case kHartReadFailed:
      return 2850;
    case kHartNoResponse:
    case 5:
      return 2195;
    case kHartBadCheckByte:
      return 2696;
    case kHartWrongCommand:
      return 2698;
    case kHartResponseError:
      return 2700;
    case kHartUnknownUnit:
      return 2683;
    case kHartWrongDelimiter:
      return 2697;
    case kHartInvalidSelection:
      return 2706;
    case kHartNearestValue:
      return 2707;
    case kHartPressureTooHigh:
      return 2708;
    case kHartZeroForbidden:
      return 2709;
    case kHartNotZeroed:
      return 2701;
    case kHartZeroFailed:
      return 2710;
    case kHartWrongAddress:
      return 2699;
    default:
      return 0;
  }
}

int HartReadingErrorTextId(int status) {
  switch (status) {
    case kHartReadFailed:
      return 2850;
    case kHartNoResponse:
      return 2195;
    case kHartBadCheckByte:
      return 2680;
    case kHartWrongCommand:
      return 2682;
    case kHartResponseError:
      return 2681;
    case kHartUnknownUnit:
      return 2683;
    case kHartWrongDelimiter:
      return 2679;
    default:
      return 0;
  }
}

int HartZeroStatus(int responseCode) {
  switch (responseCode) {
    case 0:
      return kHartOk;
    case 2:
      return kHartInvalidSelection;
    case 8:
      return kHartNearestValue;
    case 9:
      return kHartPressureTooHigh;
    case 24:
      return kHartZeroForbidden;
    default:
      return kHartZeroFailed;
  }
}

}  // namespace ruvenset
