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

ScopedGdi<HFONT> MakeFontOfHeight(const FontSpec& spec, int pixels) {
  return ScopedGdi<HFONT>(CreateFontW(-pixels, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic, spec.underline,
                                      spec.strikeout, spec.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      CLEARTYPE_QUALITY,
                                      spec.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE,
                                      spec.face));
}

ScopedGdi<HFONT> MakeFont(const FontSpec& spec, int dpi) {
  return MakeFontOfHeight(spec, static_cast<int>(spec.points * dpi / 72.0 + 0.5));
}

}  // namespace vexa::ui
