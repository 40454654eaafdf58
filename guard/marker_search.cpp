#include "guard/marker_search.h"

#include <algorithm>
#include <cstdint>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define VEXA_X86_SIMD 1
#include <immintrin.h>
#endif

namespace vexa::guard {
namespace {

// How common each byte value is in executable files: 0 for the rarest, 255
// for the most common (measured over a few hundred megabytes of 32- and
// 64-bit PE files). Used to pick the two bytes of a needle worth testing.
constexpr unsigned char kPeByteRank[256] = {
    255, 254, 253, 251, 250, 252, 247, 215, 244, 233, 211, 219, 199, 203, 220, 225, 217, 196, 174, 209, 200, 178,
    158, 163, 189, 162, 152, 156, 148, 136, 138, 173, 234, 168, 165, 134, 218, 160, 125, 135, 188, 145, 122, 113,
    129, 133, 198, 118, 212, 183, 159, 185, 154, 124, 128, 121, 169, 149, 146, 144, 153, 130, 116, 131, 201, 221,
    176, 213, 239, 229, 193, 171, 237, 240, 150, 161, 222, 202, 191, 197, 226, 194, 232, 227, 228, 181, 186, 157,
    206, 190, 96,  110, 117, 101, 104, 246, 155, 243, 192, 224, 230, 249, 210, 207, 195, 241, 76,  140, 231, 208,
    238, 236, 223, 87,  242, 235, 248, 216, 170, 187, 172, 177, 127, 68,  97,  92,  108, 119, 167, 84,  126, 175,
    164, 147, 67,  39,  106, 214, 18,  180, 90,  184, 41,  30,  205, 166, 77,  88,  102, 22,  60,  14,  93,  44,
    12,  23,  100, 28,  79,  204, 142, 27,  20,  37,  54,  13,  24,  7,   80,  19,  73,  10,  75,  40,  105, 16,
    132, 15,  4,   3,   50,  64,  71,  66,  109, 83,  99,  82,  38,  114, 17,  34,  182, 98,  89,  141, 123, 85,
    81,  112, 111, 95,  35,  52,  59,  31,  70,  61,  143, 43,  69,  55,  26,  29,  65,  33,  91,  58,  8,   45,
    2,   9,   6,   1,   137, 21,  62,  5,   74,  11,  0,   25,  151, 120, 47,  72,  115, 48,  32,  42,  139, 56,
    78,  179, 51,  46,  103, 36,  94,  53,  86,  63,  57,  49,  107, 245};

int Rarity(unsigned char b) {
  // Padding and filler bytes come in long runs; never worth filtering on.
  if (b == 0x00 || b == 0xFF || b == 0x90 || b == 0xCC) return 1000;
  return kPeByteRank[b];
}

// The keylogger markers as 16-bit units, each masked with a key that is only
// read at run time, so neither the data nor any folded constant holds them.
constexpr std::uint16_t kMask = 0xA55A;
constexpr std::uint16_t M(unsigned c) { return static_cast<std::uint16_t>(c ^ kMask); }
volatile std::uint16_t g_markerKey = kMask;

constexpr std::uint16_t kSignature[] = {M(0xC3), M(0x90), M(0x90), M(0x90), M(0x90), M(0x90), M(0x90), M(0x90),
                                        M(0x55), M(0x89), M(0xE5), M(0x53), M(0x83), M(0xEC), M(0x24)};
constexpr std::uint16_t kKeys[] = {M('K'), M('e'), M('y'), M('s'), M('t'), M('r'), M('o'), M('k'), M('e')};
constexpr std::uint16_t kViewer[] = {M('T'), M('e'), M('a'), M('m'), M('V'),
                                     M('i'), M('e'), M('w'), M('e'), M('r')};

template <std::size_t N>
std::string Unmask(const std::uint16_t (&units)[N]) {
  const std::uint16_t key = g_markerKey;
  std::string out(N, '\0');
  for (std::size_t i = 0; i < N; ++i) out[i] = static_cast<char>((units[i] ^ key) & 0xFF);
  return out;
}

using Entry = MarkerSet::Entry;

inline bool SameBytes(const unsigned char* at, const std::string& needle) {
  const auto* n = reinterpret_cast<const unsigned char*>(needle.data());
  for (std::size_t i = 0; i < needle.size(); ++i)
    if (at[i] != n[i]) return false;
  return true;
}

// Tries every start position from `from` on.
bool ScanScalar(const unsigned char* d, std::size_t n, std::size_t from, const Entry* e, std::size_t count) {
  for (std::size_t p = from; p < n; ++p) {
    for (std::size_t k = 0; k < count; ++k) {
      const std::string& needle = e[k].bytes;
      if (needle.size() <= n - p && d[p] == static_cast<unsigned char>(needle[0]) && SameBytes(d + p, needle))
        return true;
    }
  }
  return false;
}

#ifdef VEXA_X86_SIMD

// Confirms the candidates of one block: bit j of `mask` marks position p + j.
inline bool Confirm(const unsigned char* d, std::size_t p, std::uint32_t mask, const std::string& needle) {
  while (mask) {
    unsigned j = static_cast<unsigned>(__builtin_ctz(mask));
    if (SameBytes(d + p + j, needle)) return true;
    mask &= mask - 1;
  }
  return false;
}

// 32 positions a step, two 16-byte blocks. Every load stays inside the data:
// the loop runs while p + 31 + the longest needle fits.
template <std::size_t N>
bool ScanSse2(const unsigned char* d, std::size_t n, const Entry* e, std::size_t maxLen) {
  __m128i b1[N], b2[N];
  std::size_t o1[N], o2[N];
  for (std::size_t k = 0; k < N; ++k) {
    o1[k] = e[k].rare1;
    o2[k] = e[k].rare2;
    b1[k] = _mm_set1_epi8(static_cast<char>(e[k].bytes[o1[k]]));
    b2[k] = _mm_set1_epi8(static_cast<char>(e[k].bytes[o2[k]]));
  }
  std::size_t p = 0;
  if (n >= maxLen + 31) {
    const std::size_t last = n - maxLen - 31;
    for (; p <= last; p += 32) {
      __m128i lo[N], hi[N];
      __m128i any = _mm_setzero_si128();
      for (std::size_t k = 0; k < N; ++k) {
        const unsigned char* a = d + p + o1[k];
        const unsigned char* b = d + p + o2[k];
        lo[k] = _mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a)), b1[k]),
                              _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), b2[k]));
        hi[k] = _mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 16)), b1[k]),
                              _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16)), b2[k]));
        any = _mm_or_si128(any, _mm_or_si128(lo[k], hi[k]));
      }
      if (_mm_movemask_epi8(any) == 0) continue;
      for (std::size_t k = 0; k < N; ++k) {
        std::uint32_t mask = static_cast<std::uint32_t>(_mm_movemask_epi8(lo[k])) |
                             (static_cast<std::uint32_t>(_mm_movemask_epi8(hi[k])) << 16);
        if (Confirm(d, p, mask, e[k].bytes)) return true;
      }
    }
  }
  return ScanScalar(d, n, p, e, N);
}

// 64 positions a step, two 32-byte blocks.
template <std::size_t N>
__attribute__((target("avx2"))) bool ScanAvx2(const unsigned char* d, std::size_t n, const Entry* e,
                                              std::size_t maxLen) {
  __m256i b1[N], b2[N];
  std::size_t o1[N], o2[N];
  for (std::size_t k = 0; k < N; ++k) {
    o1[k] = e[k].rare1;
    o2[k] = e[k].rare2;
    b1[k] = _mm256_set1_epi8(static_cast<char>(e[k].bytes[o1[k]]));
    b2[k] = _mm256_set1_epi8(static_cast<char>(e[k].bytes[o2[k]]));
  }
  std::size_t p = 0;
  if (n >= maxLen + 63) {
    const std::size_t last = n - maxLen - 63;
    for (; p <= last; p += 64) {
      __m256i lo[N], hi[N];
      __m256i any = _mm256_setzero_si256();
      for (std::size_t k = 0; k < N; ++k) {
        const unsigned char* a = d + p + o1[k];
        const unsigned char* b = d + p + o2[k];
        lo[k] = _mm256_and_si256(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(a)), b1[k]),
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(b)), b2[k]));
        hi[k] = _mm256_and_si256(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + 32)), b1[k]),
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + 32)), b2[k]));
        any = _mm256_or_si256(any, _mm256_or_si256(lo[k], hi[k]));
      }
      if (_mm256_testz_si256(any, any)) continue;
      for (std::size_t k = 0; k < N; ++k) {
        if (Confirm(d, p, static_cast<std::uint32_t>(_mm256_movemask_epi8(lo[k])), e[k].bytes)) return true;
        if (Confirm(d, p + 32, static_cast<std::uint32_t>(_mm256_movemask_epi8(hi[k])), e[k].bytes)) return true;
      }
    }
  }
  return ScanScalar(d, n, p, e, N);
}

template <template <std::size_t> class Kernel>
bool ScanGroups(const unsigned char* d, std::size_t n, const std::vector<Entry>& needles, std::size_t maxLen) {
  // Up to four needles share one pass; more take further passes.
  for (std::size_t first = 0; first < needles.size(); first += 4) {
    const Entry* e = needles.data() + first;
    bool hit = false;
    switch (std::min<std::size_t>(4, needles.size() - first)) {
      case 1: hit = Kernel<1>::Run(d, n, e, maxLen); break;
      case 2: hit = Kernel<2>::Run(d, n, e, maxLen); break;
      case 3: hit = Kernel<3>::Run(d, n, e, maxLen); break;
      default: hit = Kernel<4>::Run(d, n, e, maxLen); break;
    }
    if (hit) return true;
  }
  return false;
}

template <std::size_t N>
struct Sse2Kernel {
  static bool Run(const unsigned char* d, std::size_t n, const Entry* e, std::size_t maxLen) {
    return ScanSse2<N>(d, n, e, maxLen);
  }
};
template <std::size_t N>
struct Avx2Kernel {
  static bool Run(const unsigned char* d, std::size_t n, const Entry* e, std::size_t maxLen) {
    return ScanAvx2<N>(d, n, e, maxLen);
  }
};

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

#endif  // VEXA_X86_SIMD

}  // namespace

MarkerSet::MarkerSet(std::vector<std::string> needles) {
  for (auto& bytes : needles) {
    if (bytes.empty()) {
      hasEmpty_ = true;
      continue;
    }
    auto [a, b] = RarePair(bytes);
    maxLength_ = std::max(maxLength_, bytes.size());
    needles_.push_back(Entry{std::move(bytes), a, b});
  }
}

const MarkerSet& MarkerSet::Keylogger() {
  static const MarkerSet set({Unmask(kSignature), Unmask(kKeys), Unmask(kViewer)});
  return set;
}

std::pair<std::size_t, std::size_t> MarkerSet::RarePair(std::string_view needle) {
  if (needle.size() < 2) return {0, 0};
  auto rarity = [&](std::size_t i) { return Rarity(static_cast<unsigned char>(needle[i])); };
  std::size_t first = 0;
  for (std::size_t i = 1; i < needle.size(); ++i)
    if (rarity(i) < rarity(first)) first = i;
  std::size_t second = first == 0 ? 1 : 0;
  for (std::size_t i = 0; i < needle.size(); ++i)
    if (i != first && rarity(i) < rarity(second)) second = i;
  return {first, second};
}

ScanPath MarkerSet::BestPath() {
#ifdef VEXA_X86_SIMD
  static const bool avx2 = CpuHasAvx2();
  return avx2 ? ScanPath::Avx2 : ScanPath::Sse2;
#else
  return ScanPath::Scalar;
#endif
}

bool MarkerSet::FoundIn(std::string_view data, ScanPath path) const {
  if (hasEmpty_) return true;
  if (needles_.empty()) return false;
  const auto* d = reinterpret_cast<const unsigned char*>(data.data());
  const std::size_t n = data.size();
  if (path == ScanPath::Auto) path = BestPath();
#ifdef VEXA_X86_SIMD
  if (path == ScanPath::Avx2 && BestPath() == ScanPath::Avx2)
    return ScanGroups<Avx2Kernel>(d, n, needles_, maxLength_);
  if (path != ScanPath::Scalar) return ScanGroups<Sse2Kernel>(d, n, needles_, maxLength_);
#endif
  return ScanScalar(d, n, 0, needles_.data(), needles_.size());
}

bool MarkerSet::FoundInNaive(std::string_view data) const {
  if (hasEmpty_) return true;
  for (const Entry& e : needles_)
    if (data.find(e.bytes) != std::string_view::npos) return true;
  return false;
}

}  // namespace vexa::guard
