#pragma once
// Dots per inch and the units the windows are designed in: twips (1440 per
// inch) and pixels at 96 dpi, both scaled by the real DPI of the window.
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/scoped.h"

namespace vexa::ui {

// The window's DPI; the system's when the window is null or the call is
// missing (before Windows 10).
int DpiOf(HWND hwnd);

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
inline int Scale(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }
inline RECT TwipsRect(int x, int y, int w, int h, int dpi) {
  return RECT{TwipsToPixels(x, dpi), TwipsToPixels(y, dpi), TwipsToPixels(x + w, dpi), TwipsToPixels(y + h, dpi)};
}

struct FontSpec {
  const wchar_t* face = L"Segoe UI";
  double points = 9;
  bool bold = false;
  bool underline = false;
  bool fixedPitch = false;
  bool italic = false;
  bool strikeout = false;
  BYTE charset = DEFAULT_CHARSET;
};

// A font of that many points at the DPI.
ScopedGdi<HFONT> MakeFont(const FontSpec& font, int dpi);
// A font whose characters are `pixels` high (the cell without leading).
ScopedGdi<HFONT> MakeFontOfHeight(const FontSpec& font, int pixels);
// The font at the DPI, made smaller half a point at a time (down to
// `smallest` points) until `text` fits `width` pixels on one line: for a
// fixed text in a fixed box where the system's font may be wider than the
// design's.
ScopedGdi<HFONT> MakeFontToFit(const FontSpec& font, int dpi, std::wstring_view text, int width, double smallest = 6);

}  // namespace vexa::ui
