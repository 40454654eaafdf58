#include "app/art/art.h"

#include <map>
#include <utility>

#include "controls/paint/win32/surface.h"
#include "resources/resource_ids.h"

namespace vexa::app {

using controls::Canvas;

namespace {

// Paints the picture drawn by paint (a canvas the size of rect) into rect.
template <typename PaintFn>
void DrawInto(HDC dc, const RECT& rect, PaintFn paint) {
  Canvas canvas(rect.right - rect.left, rect.bottom - rect.top);
  paint(canvas);
  controls::DrawCanvas(dc, rect.left, rect.top, canvas);
}

}  // namespace

void DrawMainBackground(HDC dc, const RECT& client, int selectedTab, int dpi) {
  DrawInto(dc, client, [&](Canvas& c) { scenes::MainBackground(c, selectedTab, dpi); });
}

void DrawTitleArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](Canvas& c) { scenes::TitleArt(c, dpi); });
}

void DrawHeaderStrip(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](Canvas& c) { scenes::HeaderStrip(c, dpi); });
}

void DrawHomeArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](Canvas& c) { scenes::HomeArt(c, dpi); });
}

void DrawSplashArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](Canvas& c) { scenes::SplashArt(c, dpi); });
}

void DrawAboutArt(HDC dc, const RECT& client, int dpi) {
  DrawInto(dc, client, [&](Canvas& c) { scenes::AboutArt(c, dpi); });
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
