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

ScopedGdi<HFONT> MakeFont(const FontSpec& spec, int dpi) {
  return ScopedGdi<HFONT>(CreateFontW(-MulDiv(spec.points, dpi, 72), 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                      spec.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      CLEARTYPE_QUALITY,
                                      spec.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE,
                                      spec.face));
}

}  // namespace vexa::ui
