// "Clean All" over the rows alone (in-memory file system): one pass that
// keeps the unticked rows, against removal that searches from the top for
// each ticked row and shifts the rows after it.
#include <benchmark/benchmark.h>

#include <string>

#include "cleaner/module1.h"
#include "tests/fakes/fake_system.h"

namespace vexa::cleaner {
namespace {

// Every delete works at no cost: the rows' share only.
class NoFiles : public fakes::FakeFileSystem {
 public:
  bool SetNormalAttributes(const Path&) override { return true; }
  bool RemoveFile(const Path&) override { return true; }
};

// Nothing waits for a box or an event.
struct NoWindow : ui::EngineSink {
  void ShowBox(const std::wstring&, const std::wstring&, ui::BoxIcon) override {}
  void DoEvents() override {}
};

void Fill(JunkList& rows, int n, int tickEvery) {
  rows.Clear();
  for (int i = 0; i < n; ++i)
    rows.Add({L"junk" + std::to_wstring(i) + L".tmp", L"C:\\T\\junk" + std::to_wstring(i) + L".tmp", kIconUserTemp,
              i % tickEvery == 0});
}

void RemoveFromTheTop(JunkList& rows, Module1& module1) {
  std::vector<JunkRow> list(rows.Rows());
  for (;;) {
    std::size_t found = list.size();
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].ticked) {
        found = i;
        break;
      }
    if (found == list.size()) break;
    module1.DeleteJunkFile(list[found].path);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(found));
  }
  rows.Clear();
  for (auto& row : list) rows.Add(std::move(row));
}

void BM_RemoveCheckedJunk(benchmark::State& state) {
  NoWindow window;
  NoFiles files;
  fakes::FakeClock clock;
  JunkList rows;
  Module1 module1(files, rows, clock);
  for (auto _ : state) {
    state.PauseTiming();
    Fill(rows, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    state.ResumeTiming();
    module1.RemoveCheckedJunk(window);
    benchmark::DoNotOptimize(rows.Count());
  }
}

void BM_BaselineFromTheTop(benchmark::State& state) {
  NoFiles files;
  fakes::FakeClock clock;
  JunkList rows;
  Module1 module1(files, rows, clock);
  for (auto _ : state) {
    state.PauseTiming();
    Fill(rows, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    state.ResumeTiming();
    RemoveFromTheTop(rows, module1);
    benchmark::DoNotOptimize(rows.Count());
  }
}

// 100,000 rows, all ticked or every other one ticked.
BENCHMARK(BM_RemoveCheckedJunk)->Args({100000, 1})->Args({100000, 2})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineFromTheTop)->Args({100000, 1})->Args({100000, 2})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vexa::cleaner
