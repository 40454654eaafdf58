// The keylogger file test over a list of files, as one process, so that it
// can be timed beside grep and ripgrep over the same files
// (bench/marker_peers.sh). Prints how many files carry a marker.
//
//   marker_peers_bench FILE...        or        marker_peers_bench -f LIST
//
// With -j N the files are shared out among N threads, each with its own
// engine and buffer, as the multi-threaded peers do.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/guard_host_files.h"
#include "guard/mod_blok_logger.h"
#include "tests/fakes/fake_system.h"

namespace {

struct Worker {
  vexa::bench::HostFiles files;
  vexa::bench::NoProcesses processes;
  vexa::fakes::FakeFileSystem logFiles;
  vexa::fakes::FakeClock clock;
  vexa::ActivityLog log{logFiles, clock, L"/tmp"};
  vexa::guard::ModBlokLogger engine{processes, files, log};
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::wstring> paths;
  unsigned threads = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-j") == 0 && i + 1 < argc) {
      threads = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
    } else if (std::strcmp(argv[i], "-f") == 0 && i + 1 < argc) {
      std::ifstream list(argv[++i]);
      for (std::string line; std::getline(list, line);)
        if (!line.empty()) paths.push_back(vexa::FromUtf8(line));
    } else {
      paths.push_back(vexa::FromUtf8(argv[i]));
    }
  }
  std::atomic<std::size_t> next{0}, hits{0};
  auto work = [&] {
    Worker w;
    for (std::size_t i; (i = next.fetch_add(1)) < paths.size();)
      if (w.engine.IsLoggerFile(paths[i])) hits.fetch_add(1);
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (auto& t : pool) t.join();
  std::printf("%zu of %zu files carry a marker\n", hits.load(), paths.size());
  return 0;
}
