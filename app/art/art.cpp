#include "app/art/art.h"

#include <map>
#include <utility>

#include "app/art/raster.h"
#include "resources/resource_ids.h"

namespace vexa::app {

namespace {

// Paints the picture drawn by paint (a canvas the size of rect) into rect.
template <typename PaintFn>
void DrawInto(HDC dc, const RECT& rect, PaintFn paint) {
  int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  raster::Canvas canvas(w, h);
  paint(canvas);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, rect.left, rect.top, w, h, 0, 0, 0, h, canvas.Pixels().data(), &info, DIB_RGB_COLORS);
}

}  // namespace

void DrawMainBackground(HDC dc, const RECT& client, int selectedTab, int dpi) {
  DrawInto(dc, client, [&](raster::Canvas& c) { scenes::MainBackground(c, selectedTab, dpi); });
}

void DrawTitleArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](raster::Canvas& c) { scenes::TitleArt(c, dpi); });
}

void DrawHeaderStrip(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](raster::Canvas& c) { scenes::HeaderStrip(c, dpi); });
}

void DrawHomeArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](raster::Canvas& c) { scenes::HomeArt(c, dpi); });
}

void DrawSplashArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](raster::Canvas& c) { scenes::SplashArt(c, dpi); });
}

void DrawAboutArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](raster::Canvas& c) { scenes::AboutArt(c, dpi); });
}

HCURSOR LoadProgramCursor(ProgramCursor which, int dpi) {
  // One handle per pointer and size, kept for the run (the user interface
  // has a single thread).
  static std::map<std::pair<ProgramCursor, int>, HCURSOR> loaded;
  int size = MulDiv(32, dpi > 0 ? dpi : 96, 96);
  auto key = std::make_pair(which, size);
  if (auto it = loaded.find(key); it != loaded.end()) return it->second;
  int id = which == ProgramCursor::Tab ? IDR_POINTER_TAB : IDR_POINTER_MAIN;
  auto cursor = static_cast<HCURSOR>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR));
  if (!cursor) return LoadCursorW(nullptr, which == ProgramCursor::Tab ? IDC_HAND : IDC_ARROW);
  loaded.emplace(key, cursor);
  return cursor;
}

}  // namespace vexa::app
