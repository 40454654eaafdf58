// IsLoggerFile on a cached 20,000,000-byte file of real PE code that holds no
// marker, against the naive test (the same read, then one std::string::find
// pass per marker over the whole content). Also the search alone, per path.
//
//   build/host/bench/marker_search_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/guard_host_files.h"
#include "guard/mod_blok_logger.h"
#include "tests/fakes/fake_system.h"

namespace {

using vexa::guard::MarkerSet;
using vexa::guard::ScanPath;
namespace fs = std::filesystem;

constexpr std::size_t kFileBytes = 20'000'000;

// 20,000,000 bytes of the PE files Wine installs, none holding a marker; made
// up of PE-like bytes when those files are not there.
std::string SampleContent(std::string* source) {
  std::string out;
  const fs::path dir = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
  std::error_code ec;
  if (fs::is_directory(dir, ec)) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir, ec))
      if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
      std::ifstream in(f, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (MarkerSet::Keylogger().FoundInNaive(bytes)) continue;
      out += bytes;
      if (out.size() >= kFileBytes) break;
    }
    *source = "Wine's PE files";
  }
  if (out.size() < kFileBytes || MarkerSet::Keylogger().FoundInNaive(out.substr(0, kFileBytes))) {
    std::mt19937 rng(5);
    const std::string common = std::string("\x00\x00\x00\x00\x48\x89\x8B\xE8\xC3\x0F\x44\x24\x83\xFF", 14) +
                               "ateinosr";
    out.resize(kFileBytes);
    for (auto& c : out) c = common[rng() % common.size()];
    *source = "made-up PE-like bytes";
  }
  out.resize(kFileBytes);
  return out;
}

struct Sample {
  std::wstring path;
  std::string source;
  Sample() {
    const fs::path p = fs::temp_directory_path() / "vexa-marker-bench-20MB.bin";
    std::ofstream(p, std::ios::binary) << SampleContent(&source);
    path = vexa::FromUtf8(p.string());
  }
};

const Sample& TheSample() {
  static Sample s;
  return s;
}

struct Engine {
  vexa::bench::HostFiles files;
  vexa::bench::NoProcesses processes;
  vexa::fakes::FakeFileSystem logFiles;
  vexa::fakes::FakeClock clock;
  vexa::ActivityLog log{logFiles, clock, L"/tmp"};
  vexa::guard::ModBlokLogger engine{processes, files, log};
};

void BM_IsLoggerFile(benchmark::State& state) {
  Engine e;
  const std::wstring path = TheSample().path;
  for (auto _ : state) {
    bool hit = e.engine.IsLoggerFile(path);
    benchmark::DoNotOptimize(hit);
    if (hit) state.SkipWithError("the sample holds a marker");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileBytes);
  state.SetLabel(TheSample().source);
}
BENCHMARK(BM_IsLoggerFile)->Unit(benchmark::kMillisecond);

// Baseline: the whole file read into a reused buffer, then three find passes.
void BM_IsLoggerFile_NaiveFind(benchmark::State& state) {
  vexa::bench::HostFiles files;
  const std::wstring path = TheSample().path;
  std::string buffer(kFileBytes, '\0');
  for (auto _ : state) {
    std::size_t got = 0;
    files.ReadHead(path, kFileBytes, buffer.data(), buffer.size(), [&](std::size_t n) {
      got += n;
      return true;
    });
    bool hit = MarkerSet::Keylogger().FoundInNaive(std::string_view(buffer.data(), got));
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileBytes);
}
BENCHMARK(BM_IsLoggerFile_NaiveFind)->Unit(benchmark::kMillisecond);

const std::string& InMemory() {
  static const std::string data = [] {
    std::ifstream in(fs::temp_directory_path() / "vexa-marker-bench-20MB.bin", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }();
  return data;
}

void BM_Search(benchmark::State& state, ScanPath path) {
  TheSample();
  const std::string& data = InMemory();
  if (path == ScanPath::Avx2 && MarkerSet::BestPath() != ScanPath::Avx2) {
    state.SkipWithError("no AVX2 here");
    return;
  }
  for (auto _ : state) {
    bool hit = path == ScanPath::Auto ? MarkerSet::Keylogger().FoundInNaive(data)
                                        : MarkerSet::Keylogger().FoundIn(data, path);
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(data.size()));
}
BENCHMARK_CAPTURE(BM_Search, avx2, ScanPath::Avx2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, sse2, ScanPath::Sse2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, naive_find, ScanPath::Auto)->Unit(benchmark::kMillisecond);

// Prints the runs as usual, then the ratios against the baselines.
// With repetitions the median stands for each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
      auto it = r.counters.find("bytes_per_second");
      if (it != r.counters.end() && !r.error_occurred) rates_[r.run_name.str()] = it->second.value;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto show = [&](const char* what, const char* fast, const char* slow) {
      if (!rates_.count(fast) || !rates_.count(slow)) return;
      std::printf("%-44s %7.2f GB/s vs %6.2f GB/s: %.2fx\n", what, rates_[fast] / 1e9, rates_[slow] / 1e9,
                  rates_[fast] / rates_[slow]);
    };
    show("IsLoggerFile vs naive (read + 3 finds)", "BM_IsLoggerFile", "BM_IsLoggerFile_NaiveFind");
    show("search AVX2 vs 3 finds", "BM_Search/avx2", "BM_Search/naive_find");
    show("search SSE2 vs 3 finds", "BM_Search/sse2", "BM_Search/naive_find");
  }

 private:
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
