#include "link/win32_serial_port.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cwctype>

#include "common/steady_now.h"
#include "common/win32_text.h"

namespace ruvenset {
namespace {

// The driver's queue sizes of the flow computer's protocol: 2000 bytes in, 32000 out.
constexpr DWORD kInputQueue = 2000;
constexpr DWORD kOutputQueue = 32000;
// A read returns as soon as a byte has come; this bounds the driver's own wait, which the read ends
// earlier itself by its deadlines.
constexpr DWORD kDriverWaitMs = 60'000;

PortOpenResult Failure(PortOpenError error, DWORD systemError) {
  return {error, static_cast<int>(systemError)};
}

std::string SystemMessage(int code) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n > 0 && text != nullptr ? std::wstring(text, n) : std::wstring();
  if (text != nullptr) ::LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
    message.pop_back();
  return message.empty() ? "system error " + std::to_string(code) : Narrow(message);
}

// A lock object named after the device, held while the port is open; the name has no backslash, which
// names of kernel objects may not hold.
HANDLE TakePortLock(const std::string& device) {
  std::wstring name = L"ruvenset-port-" + Widen(device);
  for (wchar_t& c : name) {
    if (c == L'\\') c = L'/';
    c = static_cast<wchar_t>(std::towupper(c));
  }
  HANDLE lock = ::CreateMutexW(nullptr, FALSE, name.c_str());
  if (lock != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(lock);
    return nullptr;
  }
  return lock;
}

}  // namespace

std::string WindowsPortDevice(const std::string& name) {
  const bool com =
      name.size() > 3 && name.size() <= 6 &&
      std::equal(name.begin(), name.begin() + 3, "COM",
                 [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }) &&
      std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
      name[3] != '0';
  if (!com) return name;
  return "\\\\.\\COM" + name.substr(3);
}

std::string PortOpenErrorText(const std::string& path, const PortOpenResult& result) {
  switch (result.error) {
    case PortOpenError::None:
      return {};
    case PortOpenError::NotFound:
      return "cannot open " + path +
             ": no such port (is the adapter plugged in? The Device Manager lists the COM ports present)";
    case PortOpenError::NoPermission:
      return "cannot open " + path + ": access denied";
    case PortOpenError::Busy:
      return "cannot open " + path + ": the port is in use by another program";
    case PortOpenError::NotATerminal:
      return "cannot open " + path + ": not a serial port";
    case PortOpenError::Other:
      break;
  }
  return "cannot open " + path + ": " + SystemMessage(result.systemError);
}

PortOpenResult Win32SerialPort::Open(const std::string& name, std::unique_ptr<Win32SerialPort>& port) {
  // No sharing: a second open, by this program or another, fails while the port is open here.
  const std::string device = WindowsPortDevice(name);
  HANDLE h = ::CreateFileW(Widen(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD e = ::GetLastError();
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) return Failure(PortOpenError::NotFound, e);
    // Windows answers "access denied" for a COM port that another program holds.
    if (e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION) return Failure(PortOpenError::Busy, e);
    return Failure(PortOpenError::Other, e);
  }
  HANDLE lock = TakePortLock(device);
  if (lock == nullptr) {
    ::CloseHandle(h);
    return Failure(PortOpenError::Busy, ERROR_SHARING_VIOLATION);
  }
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(h, &dcb)) {
    ::CloseHandle(lock);
    ::CloseHandle(h);
    return Failure(PortOpenError::NotATerminal, ERROR_INVALID_FUNCTION);
  }
  ::SetupComm(h, kInputQueue, kOutputQueue);
  // Reads return as soon as any byte is there; the deadlines of the protocol are the read's own.
  COMMTIMEOUTS timeouts{MAXDWORD, MAXDWORD, kDriverWaitMs, 0, 0};
  ::SetCommTimeouts(h, &timeouts);
  HANDLE readEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE writeEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (readEvent == nullptr || writeEvent == nullptr) {
    const DWORD e = ::GetLastError();
    if (readEvent != nullptr) ::CloseHandle(readEvent);
    if (writeEvent != nullptr) ::CloseHandle(writeEvent);
    ::CloseHandle(lock);
    ::CloseHandle(h);
    return Failure(PortOpenError::Other, e);
  }
  port.reset(new Win32SerialPort(h, lock, readEvent, writeEvent));
  return {};
}

Win32SerialPort::~Win32SerialPort() {
  ::CancelIo(handle_);
  ::CloseHandle(handle_);
  ::CloseHandle(lock_);
  ::CloseHandle(readEvent_);
  ::CloseHandle(writeEvent_);
}

bool Win32SerialPort::Configure(const LineSettings& line) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(handle_, &dcb)) return false;
  dcb.BaudRate = static_cast<DWORD>(line.bitsPerSecond);
  dcb.ByteSize = 8;
  dcb.Parity = line.parity == Parity::Odd ? ODDPARITY : NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = line.parity == Parity::Odd ? TRUE : FALSE;
  // No flow control; RTS and DTR are the program's to set.
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fTXContinueOnXoff = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  if (!::SetCommState(handle_, &dcb)) return false;
  line_ = line;
  return true;
}

void Win32SerialPort::Purge() {
  ::PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

void Win32SerialPort::SetDtr(bool on) {
  ::EscapeCommFunction(handle_, on ? SETDTR : CLRDTR);
}

void Win32SerialPort::SetRts(bool on) {
  ::EscapeCommFunction(handle_, on ? SETRTS : CLRRTS);
}

bool Win32SerialPort::Write(const uint8_t* data, size_t size) {
  while (size > 0) {
    OVERLAPPED o{};
    o.hEvent = writeEvent_;
    ::ResetEvent(writeEvent_);
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, kOutputQueue));
    if (!::WriteFile(handle_, data, chunk, &written, &o)) {
      if (::GetLastError() != ERROR_IO_PENDING) return false;
      if (!::GetOverlappedResult(handle_, &o, &written, TRUE)) return false;
    }
    if (written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

int Win32SerialPort::ReadSome(uint8_t* data, size_t size, int64_t waitMs, bool& stopped) {
  stopped = false;
  OVERLAPPED o{};
  o.hEvent = readEvent_;
  ::ResetEvent(readEvent_);
  DWORD n = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<size_t>(size, kInputQueue));
  if (::ReadFile(handle_, data, wanted, &n, &o)) return static_cast<int>(n);
  if (::GetLastError() != ERROR_IO_PENDING) return -1;
  HANDLE waits[2] = {readEvent_, stop_ != nullptr ? reinterpret_cast<HANDLE>(stop_->wakeUp()) : nullptr};
  const DWORD count = waits[1] != nullptr ? 2 : 1;
  const DWORD woke = ::WaitForMultipleObjects(count, waits, FALSE, static_cast<DWORD>(waitMs));
  if (woke != WAIT_OBJECT_0) ::CancelIoEx(handle_, &o);
  // Bytes that came in before the cancel took effect are counted, never lost.
  if (!::GetOverlappedResult(handle_, &o, &n, TRUE) && ::GetLastError() != ERROR_OPERATION_ABORTED) return -1;
  if (woke == WAIT_OBJECT_0 + 1) {
    stopped = StopRequested();
    // A wake-up without a request is left over from a cleared one.
    if (!stopped) stop_->Drain();
  }
  return static_cast<int>(n);
}

int Win32SerialPort::Read(uint8_t* data, size_t size) {
  const int64_t ms = 1'000'000;
  const int64_t totalDeadline = timeouts_.TotalDeadlineNs(SteadyNowNs(), size);
  size_t got = 0;
  int64_t lastByte = 0;
  while (got < size) {
    const int64_t left = timeouts_.NextByteDeadlineNs(totalDeadline, got, lastByte) - SteadyNowNs();
    if (left <= 0) break;
    if (StopRequested()) break;
    bool stopped = false;
    const int n = ReadSome(data + got, size - got, (left + ms - 1) / ms, stopped);
    if (n < 0) return -1;
    if (n > 0) {
      got += static_cast<size_t>(n);
      lastByte = SteadyNowNs();
    }
    if (stopped) break;
  }
  return static_cast<int>(got);
}

// Windows runs the console's handler on a thread of its own, so this may wait as any code may.
void Win32SerialPort::SendLastRequest(const uint8_t* data, size_t size, bool keyRts, int answerWaitMs) {
  // Whatever an interrupted exchange was sending goes out first; the flow computer drops that broken
  // frame once the line has stayed quiet for a moment.
  ::FlushFileBuffers(handle_);
  ::Sleep(50);
  ::PurgeComm(handle_, PURGE_RXCLEAR);
  if (keyRts) SetRts(true);
  const bool sent = Write(data, size);
  ::FlushFileBuffers(handle_);
  if (keyRts) SetRts(false);
  if (!sent) return;
  // The answer's bytes are awaited, not judged: the process ends after them, or after the wait. The
  // command's own thread may still be inside a read of this port, so this read has an event of its own.
  HANDLE answerEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (answerEvent == nullptr) return;
  uint8_t answer[64];
  size_t got = 0;
  const int64_t deadline = SteadyNowNs() + int64_t{answerWaitMs} * 1'000'000;
  while (got < sizeof answer) {
    const int64_t left = deadline - SteadyNowNs();
    if (left <= 0) break;
    OVERLAPPED o{};
    o.hEvent = answerEvent;
    ::ResetEvent(answerEvent);
    DWORD n = 0;
    if (!::ReadFile(handle_, answer + got, static_cast<DWORD>(sizeof answer - got), &n, &o)) {
      if (::GetLastError() != ERROR_IO_PENDING) break;
      if (::WaitForSingleObject(answerEvent, static_cast<DWORD>(left / 1'000'000 + 1)) != WAIT_OBJECT_0)
        ::CancelIoEx(handle_, &o);
      if (!::GetOverlappedResult(handle_, &o, &n, TRUE)) break;
    }
    if (n == 0) break;
    got += n;
    if (got >= 3 && got >= answer[2] + 0u) break;
  }
  ::CloseHandle(answerEvent);
}

PortOpenResult OpenSerialPort(const std::string& path, std::unique_ptr<SerialPort>& port) {
  std::unique_ptr<Win32SerialPort> win32;
  const PortOpenResult result = Win32SerialPort::Open(path, win32);
  port = std::move(win32);
  return result;
}

}  // namespace ruvenset
