// The pictures of ImageList1: 1 a lightning bolt (prefetch), 2 a page (user
// temp file), 3 a clock (recent), 5 a waste bin (cookies, Windows temp, temp
// sub-folders); picture 4 is blank. They come drawn at four sizes from
// resources/make_art.py, with alpha; the list takes the set that fits the
// list's dpi. A mask made from the alpha keeps the edges clean where an
// image list draws without alpha.
#include <cstdint>
#include <vector>

#include "cleaner/win32/junk_list_view.h"
#include "resources/row_icons.inc"
#include "ui/scoped.h"

namespace vexa::cleaner {

namespace {

using ui::ScopedGdi;

constexpr int kPictures = 5;

struct PictureSet {
  int size;
  const std::uint32_t* pixels;  // kPictures pictures of size x size, one after another
};

const PictureSet kSets[] = {
    {16, &resources::kRowIcons16[0][0]},
    {20, &resources::kRowIcons20[0][0]},
    {24, &resources::kRowIcons24[0][0]},
    {32, &resources::kRowIcons32[0][0]},
};

// The largest set no larger than 16 px scaled to dpi.
const PictureSet& SetFor(int dpi) {
  int want = MulDiv(16, dpi > 0 ? dpi : 96, 96);
  const PictureSet* best = &kSets[0];
  for (const PictureSet& s : kSets)
    if (s.size <= want) best = &s;
  return *best;
}

// The colour bitmap (32-bit, alpha kept) and the mask (set where the
// picture is fully clear) of one picture.
bool MakePicture(const std::uint32_t* argb, int size, ScopedGdi<HBITMAP>& colour, ScopedGdi<HBITMAP>& mask) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  colour.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || !bits) return false;
  auto* out = static_cast<std::uint32_t*>(bits);
  int stride = ((size + 15) / 16) * 2;  // monochrome rows are WORD-aligned
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(stride) * size, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      std::uint32_t p = argb[y * size + x];
      out[y * size + x] = p;  // BGRA in memory, as a DIB wants it
      if ((p >> 24) == 0) maskBits[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  GdiFlush();
  mask.reset(CreateBitmap(size, size, 1, 1, maskBits.data()));
  return static_cast<bool>(mask);
}

}  // namespace

HIMAGELIST CreateImageList1(int dpi) {
  const PictureSet& set = SetFor(dpi);
  HIMAGELIST list = ImageList_Create(set.size, set.size, ILC_COLOR32 | ILC_MASK, kPictures, 0);
  if (!list) return nullptr;
  for (int i = 0; i < kPictures; ++i) {
    ScopedGdi<HBITMAP> colour, mask;
    // A list with a picture missing would shift the others.
    if (!MakePicture(set.pixels + static_cast<std::size_t>(i) * set.size * set.size, set.size, colour, mask) ||
        ImageList_Add(list, colour.get(), mask.get()) != i) {
      ImageList_Destroy(list);
      return nullptr;
    }
  }
  return list;
}

}  // namespace vexa::cleaner
