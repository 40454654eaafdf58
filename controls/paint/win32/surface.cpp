#include "controls/paint/win32/surface.h"

#include "ui/dpi.h"

namespace vexa::controls {

Colour SystemColour(int index) { return static_cast<Colour>(GetSysColor(index)); }

int ToDesignPixels(int px, int dpi) {
  const int scaled = px * 96;
  return scaled >= 0 ? scaled / dpi : -((-scaled + dpi - 1) / dpi);
}

void DrawCanvas(HDC dc, int x, int y, const Canvas& canvas) {
  if (canvas.Width() == 0 || canvas.Height() == 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = canvas.Width();
  bi.bmiHeader.biHeight = -canvas.Height();  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, canvas.Width(), canvas.Height(), 0, 0, 0, canvas.Height(), canvas.Data(), &bi,
                    DIB_RGB_COLORS);
}

bool MemorySurface::Create(int w, int h) {
  Release();
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = dc_ ? CreateCompatibleBitmap(screen, w, h) : nullptr;
  ReleaseDC(nullptr, screen);
  if (!bitmap_) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  return true;
}

void MemorySurface::Release() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr, bitmap_ = nullptr, previous_ = nullptr;
}

void ControlTimer::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  Apply();
}

void ControlTimer::Stop() {
  if (hwnd_) KillTimer(hwnd_, id_);
  hwnd_ = nullptr;
}

void ControlTimer::SetEnabled(bool on) {
  enabled_ = on;
  Apply();
}

void ControlTimer::SetInterval(unsigned ms) {
  interval_ = ms;
  Apply();  // a running timer takes the new interval at once
}

void ControlTimer::Apply() {
  if (!hwnd_) return;
  if (enabled_)
    SetTimer(hwnd_, id_, interval_ ? interval_ : 1, nullptr);
  else
    KillTimer(hwnd_, id_);
}

}  // namespace vexa::controls
