// The vector marker search must agree with the plain one on any input: the
// keylogger markers, and a second set built from the input's own first bytes
// so that matches, near misses and tails all occur.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "guard/marker_search.h"

using vexa::guard::MarkerSet;
using vexa::guard::ScanPath;

namespace {

void Check(const MarkerSet& set, std::string_view data) {
  const bool expected = set.FoundInNaive(data);
  if (set.FoundIn(data, ScanPath::Scalar) != expected) std::abort();
  if (set.FoundIn(data, ScanPath::Sse2) != expected) std::abort();
  if (set.FoundIn(data, ScanPath::Auto) != expected) std::abort();
  if (MarkerSet::BestPath() == ScanPath::Avx2 && set.FoundIn(data, ScanPath::Avx2) != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::string_view data(reinterpret_cast<const char*>(bytes), size);
  Check(MarkerSet::Keylogger(), data);
  if (size < 4) return 0;
  // First byte: how many needles (1-5); then lengths and bodies from the data.
  std::size_t count = 1 + bytes[0] % 5;
  std::size_t pos = 1;
  std::vector<std::string> needles;
  for (std::size_t i = 0; i < count && pos < size; ++i) {
    std::size_t len = 1 + bytes[pos] % 20;
    ++pos;
    std::size_t from = pos < size ? bytes[pos] % size : 0;
    needles.emplace_back(data.substr(from, len));
  }
  MarkerSet own(std::move(needles));
  Check(own, data);
  Check(own, data.substr(pos < size ? pos : size));
  return 0;
}
