#pragma once
// Byte-marker search over a file's contents: a few short needles, exact and
// case-sensitive. The vector paths test two rare bytes of every needle at
// their offsets ("packed pair") and confirm candidates byte by byte; the
// naive path is three plain substring searches, kept as the reference.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::guard {

enum class ScanPath { Auto, Scalar, Sse2, Avx2 };

class MarkerSet {
 public:
  // Any number of needles of any length; an empty needle is found in
  // everything, even in no data.
  explicit MarkerSet(std::vector<std::string> needles);

  // The keylogger markers, in table order: the machine-code sequence,
  // "Keystroke", "TeamViewer". They are put together at run time from masked
  // 16-bit units, so the program's own file never holds them as 8-bit bytes.
  static const MarkerSet& Keylogger();

  std::size_t Count() const { return needles_.size(); }
  const std::string& Needle(std::size_t i) const { return needles_[i].bytes; }
  std::size_t MaxLength() const { return maxLength_; }

  // True when any needle occurs in the data.
  bool FoundIn(std::string_view data, ScanPath path = ScanPath::Auto) const;

  // The reference: one std::string_view::find pass per needle.
  bool FoundInNaive(std::string_view data) const;

  // The path Auto takes on this processor.
  static ScanPath BestPath();

  // Offsets of the two bytes of a needle the filter tests, the rarest in
  // executable files (00, FF, 90 and CC never chosen when another byte is
  // there to take).
  static std::pair<std::size_t, std::size_t> RarePair(std::string_view needle);

  struct Entry {
    std::string bytes;
    std::size_t rare1 = 0, rare2 = 0;
  };

 private:
  std::vector<Entry> needles_;
  std::size_t maxLength_ = 0;
  bool hasEmpty_ = false;
};

}  // namespace vexa::guard
