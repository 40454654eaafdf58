#include "ui/dpi.h"

namespace vexa::ui {

int DpiOf(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (fn && hwnd) {
    if (UINT dpi = fn(hwnd)) return static_cast<int>(dpi);
  }
  ScopedWindowDc screen(nullptr);
  int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

ScopedGdi<HFONT> MakeFontOfHeight(const FontSpec& font, int pixels) {
  return ScopedGdi<HFONT>(CreateFontW(-pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                                      font.strikeout, font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      CLEARTYPE_QUALITY,
                                      font.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE,
                                      font.face));
}

ScopedGdi<HFONT> MakeFont(const FontSpec& font, int dpi) {
  return MakeFontOfHeight(font, static_cast<int>(font.points * dpi / 72.0 + 0.5));
}

ScopedGdi<HFONT> MakeFontToFit(const FontSpec& font, int dpi, std::wstring_view text, int width, double smallest) {
  FontSpec tried = font;
  ScopedWindowDc screen(nullptr);
  for (;;) {
    ScopedGdi<HFONT> made = MakeFont(tried, dpi);
    if (!screen || !made || tried.points - 0.5 < smallest) return made;
    SIZE size{};
    ScopedSelect chosen(screen.get(), made.get());
    if (GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size) && size.cx <= width)
      return made;
    tried.points -= 0.5;
  }
}

}  // namespace vexa::ui
