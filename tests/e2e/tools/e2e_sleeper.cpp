// e2e_sleeper: a program that only waits. The end-to-end tests start copies
// of it as stand-in processes (one of them with a keylogger marker appended
// to its file) and end them by their handles. It ends by itself after the
// seconds given on its command line (120 when none), so a test that dies
// leaves nothing running for long.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  long seconds = commandLine ? std::wcstol(commandLine, nullptr, 10) : 0;
  if (seconds <= 0 || seconds > 3600) seconds = 120;
  Sleep(static_cast<DWORD>(seconds) * 1000);
  return 0;
}
