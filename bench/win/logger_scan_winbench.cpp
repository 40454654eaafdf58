// One whole keylogger pass (ScanLoggers) over the real process table, timed,
// beside a baseline pass that reads each file whole into a fresh buffer and
// runs one std::string::find per marker. Nothing is ended: termination is
// only counted. Run under Wine:
//
//   scripts/wine-exec build/windows/bench/logger_scan_winbench.exe [passes]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "guard/mod_blok_logger.h"
#include "platform/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/process_table_win32.h"
#include "platform/win32/win32_platform.h"
#include "tests/fakes/fake_ui.h"

namespace {

using namespace vexa;

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// The real table that only counts terminations, and times its calls.
class CountingTable : public win32::Win32ProcessTable {
  template <typename F>
  auto Timed(int slot, F f) const -> decltype(f()) {
    LARGE_INTEGER a = Now();
    auto r = f();
    ticks[slot] += Now().QuadPart - a.QuadPart;
    return r;
  }

 public:
  bool Terminate(ProcessId) override {
    ++ended;
    return true;
  }
  std::vector<ProcessEntry> Snapshot() const override { return Timed(0, [&] { return Win32ProcessTable::Snapshot(); }); }
  std::wstring ImagePath(ProcessId id) const override {
    return Timed(1, [&] { return Win32ProcessTable::ImagePath(id); });
  }
  bool IsCritical(ProcessId id) const override { return Timed(2, [&] { return Win32ProcessTable::IsCritical(id); }); }
  std::wstring StoredFileName(const std::wstring& p) const override {
    return Timed(3, [&] { return Win32ProcessTable::StoredFileName(p); });
  }
  std::optional<std::uint64_t> FileLength(const std::wstring& p) const override {
    return Timed(4, [&] { return Win32ProcessTable::FileLength(p); });
  }
  bool ReadHead(const std::wstring& p, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override {
    return Timed(5, [&] { return Win32ProcessTable::ReadHead(p, limit, buffer, room, take); });
  }
  bool PathExists(const std::wstring& p) const override {
    return Timed(6, [&] { return Win32ProcessTable::PathExists(p); });
  }
  void Reset() { std::fill(std::begin(ticks), std::end(ticks), 0); }

  int ended = 0;
  mutable long long ticks[7] = {};
  static constexpr const char* kNames[7] = {"snapshot", "image path", "critical flag", "stored name",
                                            "file length", "read + search", "path exists"};

};

class Sink : public guard::LoggerScanSink {
 public:
  int Level() const override { return 80; }
  void AddRow(const std::wstring&) override {}
  void StopAnimation() override {}
};

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The same walk, the file read whole with one ReadFile into a fresh buffer,
// then three find passes.
int NaivePass(guard::ModBlokLogger& engine, CountingTable& table, std::uint64_t* bytes) {
  int found = 0;
  for (const auto& [name, id] : guard::ModBlokLogger::SplitProcessList(engine.GetProcessList())) {
    if (engine.IsProtectedId(id)) continue;
    std::wstring path = engine.GetProcessPath(id);
    if (path == guard::kUnknownImagePath) {
      std::wstring w = guard::ModBlokLogger::AddBackslash(engine.GetWindowsDir());
      if (table.PathExists(w + name)) path = w + name;
      else if (table.PathExists(w + L"system32\\" + name)) path = w + L"system32\\" + name;
      else continue;
    }
    if (engine.IsProtectedPath(path)) continue;
    auto length = table.FileLength(path);
    if (!length || *length < 1 || *length > guard::kMaxExaminedFileBytes) continue;
    std::string content(static_cast<std::size_t>(*length), '\0');
    std::size_t got = 0;
    table.ReadHead(path, *length, content.data(), content.size(), [&](std::size_t n) {
      got += n;
      return true;
    });
    content.resize(got);
    *bytes += got;
    if (guard::MarkerSet::Keylogger().FoundInNaive(content)) ++found;
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  CountingTable table;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  ActivityLog log(files, clock, std::wstring(temp) + L".");
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  guard::ModBlokLogger engine(table, log, boxes, pump);
  Sink sink;

  const std::size_t processes = table.Snapshot().size();
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  std::vector<double> fast, naive;
  std::uint64_t naiveBytes = 0;
  int naiveFound = 0;
  std::vector<long long> split(7, 0);
  for (int i = 0; i < passes; ++i) {
    table.ended = 0;
    table.Reset();
    QueryPerformanceCounter(&a);
    engine.ScanLoggers(sink);
    QueryPerformanceCounter(&b);
    fast.push_back(Ms(a, b, f));
    for (int k = 0; k < 7; ++k) split[k] += table.ticks[k];
    naiveBytes = 0;
    QueryPerformanceCounter(&a);
    naiveFound = NaivePass(engine, table, &naiveBytes);
    QueryPerformanceCounter(&b);
    naive.push_back(Ms(a, b, f));
  }
  std::sort(fast.begin(), fast.end());
  std::sort(naive.begin(), naive.end());
  std::printf("processes in the snapshot: %zu\n", processes);
  std::printf("executable bytes examined by the baseline: %llu\n", static_cast<unsigned long long>(naiveBytes));
  std::printf("detections (counted, nothing ended): ScanLoggers %d, baseline %d\n", table.ended, naiveFound);
  std::printf("ScanLoggers pass: median %.2f ms, best %.2f ms (%d passes)\n", fast[fast.size() / 2], fast[0],
              passes);
  std::printf("baseline pass (whole read + 3 finds): median %.2f ms, best %.2f ms\n", naive[naive.size() / 2],
              naive[0]);
  std::printf("ratio baseline / ScanLoggers (median): %.2fx\n", naive[naive.size() / 2] / fast[fast.size() / 2]);
  std::printf("where a ScanLoggers pass spends its time (mean per pass):\n");
  for (int k = 0; k < 7; ++k)
    std::printf("  %-14s %7.2f ms\n", CountingTable::kNames[k],
                1000.0 * static_cast<double>(split[k]) / static_cast<double>(f.QuadPart) / passes);
  DeleteFileW(log.FilePath().c_str());

  // The search alone on this build: 20,000,000 bytes of this program's own
  // code repeated (no marker), vector path against three std::string::find
  // passes (which lean on the C runtime's memchr).
  std::string data;
  {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    std::string code;
    auto length = table.FileLength(self);
    code.resize(length ? static_cast<std::size_t>(*length) : 0);
    std::size_t got = 0;
    table.ReadHead(self, code.size(), code.data(), code.size(), [&](std::size_t n) {
      got += n;
      return true;
    });
    code.resize(got);
    while (!code.empty() && data.size() < guard::kMaxExaminedFileBytes) data += code;
    data.resize(guard::kMaxExaminedFileBytes);
  }
  const auto& markers = guard::MarkerSet::Keylogger();
  auto rate = [&](auto search) {
    double best = 1e30;
    for (int i = 0; i < 15; ++i) {
      LARGE_INTEGER t0 = Now();
      volatile bool hit = search();
      (void)hit;
      best = std::min(best, Ms(t0, Now(), f));
    }
    return static_cast<double>(data.size()) / best / 1e6;  // GB/s
  };
  const char* pathName = guard::MarkerSet::BestPath() == guard::ScanPath::Avx2 ? "AVX2" : "SSE2";
  double vec = rate([&] { return markers.FoundIn(data); });
  double sse = rate([&] { return markers.FoundIn(data, guard::ScanPath::Sse2); });
  double naiveRate = rate([&] { return markers.FoundInNaive(data); });
  std::printf("marker search in memory, 20,000,000 bytes: %s %.2f GB/s, SSE2 %.2f GB/s, 3 x find %.2f GB/s"
              " (%.2fx)\n", pathName, vec, sse, naiveRate, vec / naiveRate);
  return 0;
}
