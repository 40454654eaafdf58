// Start-up of VexaUtility.exe under the running system: time from process
// creation to the splash on screen (median of several starts, against a
// minimal one-window program started the same way), the executable's size,
// and the private memory of the program once it sits in the tray.
//   startup_winbench.exe <VexaUtility.exe> <minimal_window.exe> [runs]
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
  DWORD pid;
  const wchar_t* caption;
  bool visible;
};

bool HasWindow(DWORD pid, const wchar_t* caption, bool visible) {
  Found f{pid, caption, false};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Found*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        wchar_t text[64];
        if (owner == f->pid && IsWindowVisible(h) && GetWindowTextW(h, text, 64) && wcscmp(text, f->caption) == 0) {
          f->visible = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&f));
  return f.visible == visible;
}

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

struct Started {
  PROCESS_INFORMATION pi{};
  double ms = -1;
};

// Starts exe in folder and waits for its visible window with the caption.
Started Start(const std::wstring& exe, const std::wstring& folder, const wchar_t* caption) {
  Started s;
  STARTUPINFOW si{sizeof si};
  std::wstring cmd = L"\"" + exe + L"\"";
  double t0 = Now();
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &s.pi))
    return s;
  while (Now() - t0 < 20000) {
    if (HasWindow(s.pi.dwProcessId, caption, true)) {
      s.ms = Now() - t0;
      break;
    }
    Sleep(1);
  }
  return s;
}

void Stop(Started& s) {
  // Only the process this benchmark started, by its handle.
  TerminateProcess(s.pi.hProcess, 0);
  WaitForSingleObject(s.pi.hProcess, 5000);
  CloseHandle(s.pi.hProcess);
  CloseHandle(s.pi.hThread);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

std::wstring Widen(const char* s) {
  wchar_t buf[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, s, -1, buf, MAX_PATH);
  wchar_t full[MAX_PATH];
  GetFullPathNameW(buf, MAX_PATH, full, nullptr);
  return full;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_winbench <VexaUtility.exe> <minimal_window.exe> [runs]\n");
    return 2;
  }
  std::wstring program = Widen(argv[1]), baseline = Widen(argv[2]);
  int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 7;
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring folder = std::wstring(tmp) + L"vexa-startup-bench";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring copy = folder + L"\\VexaUtility.exe";
  CopyFileW(program.c_str(), copy.c_str(), FALSE);

  // One warm-up start of each, so both measure a warm system.
  Started warm = Start(copy, folder, L"Form2");
  Stop(warm);
  warm = Start(baseline, folder, L"Baseline");
  Stop(warm);

  std::vector<double> ours, base;
  SIZE_T privateBytes = 0;
  for (int i = 0; i < runs; ++i) {
    DeleteFileW((folder + L"\\VexaLog.Log").c_str());
    Started s = Start(copy, folder, L"Form2");
    if (s.ms >= 0) ours.push_back(s.ms);
    if (i == 0) {
      // Memory once the splash has gone and the program sits in the tray.
      double t0 = Now();
      while (Now() - t0 < 10000 && !HasWindow(s.pi.dwProcessId, L"Form2", false)) Sleep(10);
      Sleep(500);
      // Committed private pages, counted region by region.
      MEMORY_BASIC_INFORMATION mbi;
      for (char* at = nullptr; VirtualQueryEx(s.pi.hProcess, at, &mbi, sizeof mbi) == sizeof mbi;
           at = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) privateBytes += mbi.RegionSize;
        if (mbi.RegionSize == 0) break;
      }
    }
    Stop(s);
    Started b = Start(baseline, folder, L"Baseline");
    if (b.ms >= 0) base.push_back(b.ms);
    Stop(b);
  }
  WIN32_FILE_ATTRIBUTE_DATA fad{};
  GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &fad);
  double ourMs = Median(ours), baseMs = Median(base);
  std::printf("start-up to splash on screen: %.1f ms (median of %zu)\n", ourMs, ours.size());
  std::printf("baseline one-window program:  %.1f ms (median of %zu)\n", baseMs, base.size());
  std::printf("ratio to baseline:            %.2f\n", baseMs > 0 ? ourMs / baseMs : 0.0);
  std::printf("executable size:              %.2f MB (%lu bytes)\n", fad.nFileSizeLow / 1048576.0, fad.nFileSizeLow);
  std::printf("private memory in the tray:   %.1f MB\n", privateBytes / 1048576.0);
  DeleteFileW((folder + L"\\VexaLog.Log").c_str());
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
  return ours.empty() ? 1 : 0;
}
