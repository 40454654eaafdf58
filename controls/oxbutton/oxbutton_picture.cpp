#include "controls/oxbutton/oxbutton_picture.h"

#include <array>

namespace vexa::controls {
namespace {

using Table = std::array<std::uint8_t, 256>;

struct Tables {
  Table lighter, darker;
  Tables() {
    for (int c = 0; c < 256; ++c) {
      lighter[c] = static_cast<std::uint8_t>(c + (255 - c) * 3 / 10);
      darker[c] = static_cast<std::uint8_t>(c * 7 / 10);
    }
  }
};

const Tables& LookUp() {
  static const Tables tables;
  return tables;
}

// 0x00BBGGRR to the 0x00RRGGBB of the pixels.
std::uint32_t ToPixel(OleColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

std::uint32_t Effect(std::uint32_t rgb, int effect) {
  int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  switch (effect) {
    case 1: r = LookUp().lighter[r], g = LookUp().lighter[g], b = LookUp().lighter[b]; break;
    case 2: r = LookUp().darker[r], g = LookUp().darker[g], b = LookUp().darker[b]; break;
    case 3: r = g = b = (r * 77 + g * 151 + b * 28) >> 8; break;
    default: break;
  }
  return static_cast<std::uint32_t>((r << 16) | (g << 8) | b);
}

}  // namespace

std::vector<PictureDraw> PictureDraws(const OxButtonProperties& p, int state) {
  PictureDraw normal;
  normal.effect = state == 1 ? p.PictureEffectOnOver : state == 2 ? p.PictureEffectOnDown : 0;
  normal.opacity = state == 1 ? p.PictureOpacityOnOver : p.PictureOpacity;
  if (!p.Enabled) normal.opacity = p.DisabledPictureMode == 1 ? p.PictureOpacity * 3 / 4 : 52;
  normal.useMask = p.UseMaskColor;
  normal.mask = p.MaskColor;
  if (p.PicturePushOnHover && state == 1) {
    PictureDraw silhouette = normal;
    silhouette.effect = 0;
    silhouette.flat = 0xC0C0C0;
    normal.dx = normal.dy = -2;
    return {silhouette, normal};
  }
  if (p.PictureShadow) {
    PictureDraw shadow = normal;
    shadow.dx = shadow.dy = 2;
    shadow.effect = 0;
    shadow.flat = 0x000000;
    shadow.opacity = normal.opacity * 3 / 10;
    return {shadow, normal};
  }
  return {normal};
}

void ComposePicture(std::vector<std::uint32_t>& face, int width, int height, const Picture& src, int x, int y,
                    const PictureDraw& how) {
  const std::uint32_t mask = ToPixel(how.mask);
  const std::uint32_t flat = how.flat ? ToPixel(*how.flat) : 0;
  x += how.dx;
  y += how.dy;
  for (int sy = 0; sy < src.height; ++sy) {
    const int ty = y + sy;
    if (ty < 0 || ty >= height) continue;
    for (int sx = 0; sx < src.width; ++sx) {
      const int tx = x + sx;
      if (tx < 0 || tx >= width) continue;
      const std::uint32_t s = src.pixels[static_cast<std::size_t>(sy) * src.width + sx];
      const std::uint32_t rgb = s & 0xFFFFFF;
      if (how.useMask && rgb == mask) continue;
      const int a = static_cast<int>(s >> 24) * how.opacity / 255;
      if (a == 0) continue;
      const std::uint32_t top = how.flat ? flat : Effect(rgb, how.effect);
      std::uint32_t& d = face[static_cast<std::size_t>(ty) * width + tx];
      std::uint32_t out = 0;
      for (int shift : {0, 8, 16}) {
        const int fg = (top >> shift) & 0xFF, bg = (d >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>((fg * a + bg * (255 - a) + 127) / 255) << shift;
      }
      d = out;
    }
  }
}

}  // namespace vexa::controls
