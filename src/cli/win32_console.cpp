#include <windows.h>

#include <shellapi.h>

#include "cli/console.h"
#include "common/win32_text.h"

namespace ruvenset::cli {
namespace {

// The console's handler runs on a thread of its own and reaches only what lives outside any object.
void (*stopHandler)() = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (stopHandler == nullptr) return FALSE;
  stopHandler();
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // Returning would end the process at once; waiting here gives the command the time Windows allows
    // (about five seconds) to leave service mode, and the process ends when the command returns.
    ::Sleep(INFINITE);
  }
  return TRUE;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i) words.push_back(Narrow(wide[i]));
  ::LocalFree(wide);
  return words;
}

void UseUtf8Console() {
  ::SetConsoleOutputCP(CP_UTF8);
}

void InstallConsoleStop(void (*onStop)()) {
  stopHandler = onStop;
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

StdinWait WaitForStdinOrStop(const StopSignal& stop) {
  HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  switch (::GetFileType(input)) {
    case FILE_TYPE_PIPE: {
      // A pipe cannot be waited on beside an event: it is looked at every 10 ms while the stop is awaited.
      DWORD available = 0;
      if (!::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) || available > 0)
        return StdinWait::Readable;  // data, or the end of the pipe, which the read then reports
      stop.WaitFor(10'000'000);
      return StdinWait::Woken;
    }
    case FILE_TYPE_CHAR: {
      HANDLE waits[2] = {input, reinterpret_cast<HANDLE>(stop.wakeUp())};
      const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
      if (woke == WAIT_OBJECT_0) return StdinWait::Readable;
      if (woke == WAIT_OBJECT_0 + 1) return StdinWait::Woken;
      return StdinWait::Failed;
    }
    default:
      return StdinWait::Readable;  // a file: reading never waits
  }
}

int ReadStdinByte(char& c) {
  // Unbuffered, so that what the wait above saw is what is read; the CR of a CR LF line end is dropped.
  HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(input, &c, 1, &n, nullptr) || n == 0) return 0;
    if (c != '\r') return 1;
  }
}

}  // namespace ruvenset::cli
