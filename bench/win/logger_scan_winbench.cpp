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
#include "platform/win32/process_table_win32.h"
#include "platform/win32/win32_platform.h"

namespace {

using namespace vexa;

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// Time spent in each kind of system call a pass makes.
struct Split {
  static constexpr const char* kNames[7] = {"snapshot", "open process", "image path", "critical flag",
                                            "stored name", "file length", "read + search"};
  long long ticks[7] = {};
  template <typename F>
  auto Timed(int slot, F f) -> decltype(f()) {
    LARGE_INTEGER a = Now();
    auto r = f();
    ticks[slot] += Now().QuadPart - a.QuadPart;
    return r;
  }
};

// A process opened through the real table: termination is only counted.
class CountingProcess : public OpenedProcess {
 public:
  CountingProcess(std::unique_ptr<OpenedProcess> real, Split& split, int& ended)
      : real_(std::move(real)), split_(split), ended_(ended) {}
  std::wstring ImagePath() const override { return split_.Timed(2, [&] { return real_->ImagePath(); }); }
  bool IsCritical() const override { return split_.Timed(3, [&] { return real_->IsCritical(); }); }
  bool Terminate() override {
    ++ended_;
    return true;
  }

 private:
  std::unique_ptr<OpenedProcess> real_;
  Split& split_;
  int& ended_;
};

class CountingTable : public win32::Win32ProcessTable {
 public:
  explicit CountingTable(Split& split) : split_(split) {}
  std::vector<ProcessEntry> Snapshot() const override {
    return split_.Timed(0, [&] { return Win32ProcessTable::Snapshot(); });
  }
  std::unique_ptr<OpenedProcess> Open(ProcessId id) override {
    auto real = split_.Timed(1, [&] { return Win32ProcessTable::Open(id); });
    return real ? std::make_unique<CountingProcess>(std::move(real), split_, ended) : nullptr;
  }
  int ended = 0;

 private:
  Split& split_;
};

class TimedFiles : public win32::Win32FileSystem {
 public:
  explicit TimedFiles(Split& split) : split_(split) {}
  std::wstring StoredFileName(const Path& p) const override {
    return split_.Timed(4, [&] { return Win32FileSystem::StoredFileName(p); });
  }
  std::optional<std::uint64_t> FileLength(const Path& p) const override {
    return split_.Timed(5, [&] { return Win32FileSystem::FileLength(p); });
  }
  bool ReadHead(const Path& p, std::uint64_t limit, char* buffer, std::size_t room,
                const ChunkTaker& take) const override {
    return split_.Timed(6, [&] { return Win32FileSystem::ReadHead(p, limit, buffer, room, take); });
  }

 private:
  Split& split_;
};

class Sink : public guard::LoggerScanSink {
 public:
  int Level() const override { return 80; }
  void AddRow(const std::wstring&) override {}
  void StopAnimation() override {}
  void ShowBox(const std::wstring&, const std::wstring&, ui::BoxIcon) override {}
  void DoEvents() override {}
};

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The same walk, the file read whole with one ReadFile into a fresh buffer,
// then three find passes.
int NaivePass(guard::ModBlokLogger& engine, CountingTable& table, const FileSystem& files, Sink& sink,
              std::uint64_t* bytes) {
  int found = 0;
  for (const auto& [name, id] : guard::ModBlokLogger::SplitProcessList(engine.GetProcessList(sink))) {
    if (engine.IsProtectedId(id)) continue;
    const auto process = table.Open(id);
    std::wstring path = engine.GetProcessPath(process.get());
    if (path == guard::kUnknownImagePath) {
      std::wstring w = guard::ModBlokLogger::AddBackslash(engine.GetWindowsDir());
      if (files.Exists(w + name)) path = w + name;
      else if (files.Exists(w + L"system32\\" + name)) path = w + L"system32\\" + name;
      else continue;
    }
    if (engine.IsProtectedPath(path)) continue;
    auto length = files.FileLength(path);
    if (!length || *length < 1 || *length > guard::kMaxExaminedFileBytes) continue;
    std::string content(static_cast<std::size_t>(*length), '\0');
    std::size_t got = 0;
    files.ReadHead(path, *length, content.data(), content.size(), [&](std::size_t n) {
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
  Split timing;
  CountingTable table(timing);
  TimedFiles files(timing);
  win32::Win32Clock clock;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  ActivityLog log(files, clock, std::wstring(temp) + L".");
  guard::ModBlokLogger engine(table, files, log);
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
    timing = Split{};
    QueryPerformanceCounter(&a);
    engine.ScanLoggers(sink);
    QueryPerformanceCounter(&b);
    fast.push_back(Ms(a, b, f));
    for (int k = 0; k < 7; ++k) split[k] += timing.ticks[k];
    naiveBytes = 0;
    QueryPerformanceCounter(&a);
    naiveFound = NaivePass(engine, table, files, sink, &naiveBytes);
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
    std::printf("  %-14s %7.2f ms\n", Split::kNames[k],
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
    auto length = files.FileLength(self);
    code.resize(length ? static_cast<std::size_t>(*length) : 0);
    std::size_t got = 0;
    files.ReadHead(self, code.size(), code.data(), code.size(), [&](std::size_t n) {
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
