#pragma once
// What the controls' views share on the Win32 side: the window's DPI, the
// system colours, drawing a Canvas, a persistent off-screen bitmap and a
// window timer behind the portable timer interface. All handle code of the
// four views' drawing lives here.
#include <windows.h>

#include "ui/dpi.h"

#include "controls/paint/raster.h"
#include "platform/ui.h"

namespace vexa::controls {

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

Colour SystemColour(int index);
inline COLORREF ToColorRef(Colour c) { return static_cast<COLORREF>(c & 0xFFFFFF); }

// The mouse position of a message in 96-dpi pixels of the control.
int ToDesignPixels(int px, int dpi);

// Copies an opaque canvas to (x, y) of the DC.
void DrawCanvas(HDC dc, int x, int y, const Canvas& canvas);

// A memory DC holding a bitmap of a fixed size, kept between paints.
class MemorySurface {
 public:
  MemorySurface() = default;
  ~MemorySurface() { Release(); }
  MemorySurface(const MemorySurface&) = delete;
  MemorySurface& operator=(const MemorySurface&) = delete;

  // Builds a w x h bitmap compatible with the screen; false if that failed.
  bool Create(int w, int h);
  void Release();
  HDC dc() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A timer of the control's own window, delivered as WM_TIMER with `id`.
class ControlTimer : public ui::Timer {
 public:
  explicit ControlTimer(UINT_PTR id) : id_(id) {}
  ~ControlTimer() override { Stop(); }
  // The window the timer belongs to; a timer enabled before starts now.
  void Bind(HWND hwnd);
  void Stop();  // before the window goes

  void SetEnabled(bool on) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(unsigned ms) override;
  unsigned Interval() const override { return interval_; }

 private:
  void Apply();

  HWND hwnd_ = nullptr;
  UINT_PTR id_;
  bool enabled_ = false;
  unsigned interval_ = 0;
};

}  // namespace vexa::controls
