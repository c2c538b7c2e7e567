#include <windows.h>

#include <algorithm>

#include "common/win32_text.h"
#include "link/com_slots.h"

namespace ruvenset {
namespace {

// COM3 before COM12: by number, not by text.
int PortNumber(const std::string& name) {
  int n = 0;
  for (char c : name) {
    if (c >= '0' && c <= '9') n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::array<std::string, kComSlotCount> DefaultComSlotPaths() {
  std::array<std::string, kComSlotCount> slots;
  for (int i = 0; i < kComSlotCount; ++i) slots[i] = "COM" + std::to_string(i + 1);
  return slots;
}

std::vector<std::string> PresentSerialPorts() {
  std::vector<std::string> ports;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return ports;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameSize = 256;
    wchar_t data[64] = {};
    DWORD dataSize = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG rc = ::RegEnumValueW(key, index, name, &nameSize, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data), &dataSize);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS || type != REG_SZ) continue;
    ports.push_back(Narrow(std::wstring(data, wcsnlen(data, dataSize / sizeof(wchar_t)))));
  }
  ::RegCloseKey(key);
  std::sort(ports.begin(), ports.end(),
            [](const std::string& a, const std::string& b) { return PortNumber(a) < PortNumber(b); });
  return ports;
}

}  // namespace ruvenset
