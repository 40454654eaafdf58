#include "guard/marker_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vexa::guard {
namespace {

// The markers are only ever taken from the set (put together at run time);
// the tests spell them from pieces.
const MarkerSet& Markers() { return MarkerSet::Keylogger(); }

std::vector<ScanPath> AllPaths() {
  std::vector<ScanPath> paths = {ScanPath::Auto, ScanPath::Scalar, ScanPath::Sse2};
  if (MarkerSet::BestPath() == ScanPath::Avx2) paths.push_back(ScanPath::Avx2);
  return paths;
}

// Bytes that look like machine code and text but hold no marker.
std::string Filler(std::size_t n, unsigned seed = 1) {
  std::mt19937 rng(seed);
  const std::string common = std::string("\x00\x00\x00\xFF\x48\x89\xE5\xC3\x90\x83\xEC\x24\x55\x53", 14) +
                             "eystroKTamViwrk";
  std::string out(n, '\0');
  for (auto& c : out) c = common[rng() % common.size()];
  return out;
}

TEST(MarkerSet, HoldsTheThreeMarkersInTableOrder) {
  ASSERT_EQ(Markers().Count(), 3u);
  const unsigned char signature[] = {0xC3, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90,
                                     0x55, 0x89, 0xE5, 0x53, 0x83, 0xEC, 0x24};
  EXPECT_EQ(Markers().Needle(0), std::string(reinterpret_cast<const char*>(signature), sizeof signature));
  EXPECT_EQ(Markers().Needle(1), std::string("Key") + "stroke");
  EXPECT_EQ(Markers().Needle(2), std::string("Team") + "Viewer");
}

TEST(MarkerSet, FiltersOnRareBytesNeverOnPaddingOrFillers) {
  // C3 90 90 90 90 90 90 90 55 89 E5 53 83 EC 24: E5 and EC are the rarest.
  auto [a, b] = MarkerSet::RarePair(Markers().Needle(0));
  EXPECT_EQ(std::min(a, b), 10u);
  EXPECT_EQ(std::max(a, b), 13u);
  auto [c, d] = MarkerSet::RarePair(std::string("\x90\xCC\x00\xFF\x41", 5));
  EXPECT_TRUE(c == 4 || d == 4);  // the only ordinary byte is always taken
  EXPECT_NE(c, d);
}

TEST(MarkerSet, FindsEachMarkerAtTheFirstAndTheLastByteOnEveryPath) {
  for (ScanPath path : AllPaths()) {
    for (std::size_t m = 0; m < Markers().Count(); ++m) {
      const std::string& marker = Markers().Needle(m);
      for (std::size_t size : {marker.size(), marker.size() + 1, std::size_t{100}, std::size_t{4096}}) {
        std::string data = Filler(size);
        ASSERT_FALSE(Markers().FoundIn(data, path));
        std::string head = data;
        head.replace(0, marker.size(), marker);
        EXPECT_TRUE(Markers().FoundIn(head, path)) << "marker " << m << " first, size " << size;
        std::string tail = data;
        tail.replace(size - marker.size(), marker.size(), marker);
        EXPECT_TRUE(Markers().FoundIn(tail, path)) << "marker " << m << " last, size " << size;
        tail.pop_back();  // cut by one byte: no longer whole
        EXPECT_FALSE(Markers().FoundIn(tail, path)) << "marker " << m << " cut, size " << size;
      }
    }
  }
}

TEST(MarkerSet, FindsMarkersAcrossPageAndBlockBoundaries) {
  std::string data = Filler(200000, 7);
  for (ScanPath path : AllPaths()) {
    for (std::size_t boundary : {std::size_t{4096}, std::size_t{65536}}) {
      for (std::size_t m = 0; m < Markers().Count(); ++m) {
        const std::string& marker = Markers().Needle(m);
        for (std::size_t before = 1; before < marker.size(); ++before) {
          std::string copy = data;
          copy.replace(boundary - before, marker.size(), marker);
          ASSERT_TRUE(Markers().FoundIn(copy, path)) << "boundary " << boundary << " marker " << m;
        }
      }
    }
  }
}

TEST(MarkerSet, MatchesOnlyExactEightBitText) {
  const std::string word = Markers().Needle(1);
  std::string utf16;
  for (char c : word) {
    utf16 += c;
    utf16 += '\0';
  }
  std::string lower = word;
  lower[0] = 'k';
  std::string upper = "KEYSTROKE";
  std::string viewer = Markers().Needle(2);
  viewer[4] = 'v';
  for (ScanPath path : AllPaths()) {
    for (const std::string& text : {utf16, lower, upper, viewer}) {
      std::string data = Filler(300, 3) + text + Filler(300, 4);
      EXPECT_FALSE(Markers().FoundIn(data, path));
      EXPECT_FALSE(Markers().FoundInNaive(data));
    }
  }
}

TEST(MarkerSet, EmptyDataHoldsNoMarker) {
  for (ScanPath path : AllPaths()) EXPECT_FALSE(Markers().FoundIn({}, path));
  EXPECT_FALSE(Markers().FoundInNaive({}));
}

TEST(MarkerSet, VectorPathsAgreeWithTheNaiveSearchOnEverySizeAndOffset) {
  // Planted near misses and whole markers at every offset of short inputs,
  // so the block loop, its end and the tail all get their turn.
  std::mt19937 rng(99);
  for (std::size_t size = 0; size < 260; ++size) {
    for (int trial = 0; trial < 6; ++trial) {
      std::string data = Filler(size, static_cast<unsigned>(size * 31 + trial));
      if (size > 0 && trial > 0) {
        const std::string& marker = Markers().Needle(rng() % 3);
        std::size_t at = rng() % size;
        std::string piece = marker;
        if (trial % 2) piece[rng() % piece.size()] ^= 0x20;  // near miss
        data.replace(at, std::min(piece.size(), size - at), piece.substr(0, size - at));
      }
      const bool expected = Markers().FoundInNaive(data);
      for (ScanPath path : AllPaths())
        ASSERT_EQ(Markers().FoundIn(data, path), expected) << "size " << size << " trial " << trial;
    }
  }
}

TEST(MarkerSet, AnyNumberOfNeedlesOfAnyLength) {
  MarkerSet many({"ab", "q", "longer needle than sixteen", "zz", "xy", "Kk"});
  for (ScanPath path : AllPaths()) {
    EXPECT_TRUE(many.FoundIn(std::string(500, '.') + "Kk", path));
    EXPECT_TRUE(many.FoundIn(std::string(70, '.') + "q" + std::string(70, '.'), path));
    EXPECT_TRUE(many.FoundIn(std::string(99, '-') + "longer needle than sixteen" + std::string(3, '-'), path));
    EXPECT_FALSE(many.FoundIn(std::string(500, '.') + "longer needle than sixteeN", path));
  }
  MarkerSet withEmpty({"abc", ""});
  EXPECT_TRUE(withEmpty.FoundIn("", ScanPath::Auto));
  EXPECT_TRUE(withEmpty.FoundInNaive(""));
}

}  // namespace
}  // namespace vexa::guard
