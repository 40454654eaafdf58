// Runs a fuzz target without libFuzzer: over the files named on the command
// line, or over N pseudo-random inputs (deterministic seed) when given a count.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  if (argc == 2 && std::strtol(argv[1], nullptr, 10) > 0) {
    long runs = std::strtol(argv[1], nullptr, 10);
    std::mt19937 rng(12345);
    const char alphabet[] = "{}\":,\\/ abcdeurlinkhtps_:.0123456789";
    std::vector<uint8_t> buf;
    for (long i = 0; i < runs; ++i) {
      buf.resize(rng() % 256);
      for (auto& b : buf) b = (rng() % 4 == 0) ? static_cast<uint8_t>(rng()) : alphabet[rng() % (sizeof alphabet - 1)];
      LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    std::printf("%ld inputs run\n", runs);
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  return 0;
}
