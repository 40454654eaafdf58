#pragma once
// One owner for every kind of Win32 handle the program holds: move-only,
// released exactly once by its Close. Close is a function object; it may
// say which value besides the null one means "no handle" (Invalid()), and it
// may carry state (a window for ReleaseDC).
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace vexa::ui {

template <typename T, typename Close>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(T h, Close close = Close{}) : h_(Usable(h) ? h : T{}), close_(std::move(close)) {}
  ~Scoped() { reset(); }
  Scoped(Scoped&& o) noexcept : h_(std::exchange(o.h_, T{})), close_(std::move(o.close_)) {}
  Scoped& operator=(Scoped&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, T{});
      close_ = std::move(o.close_);
    }
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  T get() const { return h_; }
  explicit operator bool() const { return h_ != T{}; }
  void reset(T h = T{}) {
    if (h_ != T{}) close_(h_);
    h_ = Usable(h) ? h : T{};
  }
  T release() { return std::exchange(h_, T{}); }
  // For calls that hand a new handle back through a pointer.
  T* put() {
    reset();
    return &h_;
  }

 private:
  static bool Usable(T h) {
    if constexpr (requires { Close::Invalid(); })
      return h != Close::Invalid();
    else
      return true;
  }
  T h_{};
  [[no_unique_address]] Close close_{};
};

struct CloseKernel {  // files, processes, events, mutexes
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct CloseFind {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  void operator()(HANDLE h) const { FindClose(h); }
};
struct CloseKey {
  void operator()(HKEY h) const { RegCloseKey(h); }
};
struct CloseGdi {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct CloseMemoryDc {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct ReleaseWindowDc {
  HWND window = nullptr;
  void operator()(HDC h) const { ReleaseDC(window, h); }
};
struct CloseImageList {
  void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};
struct CloseIcon {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct CloseMenu {
  void operator()(HMENU h) const { DestroyMenu(h); }
};
struct CloseRegion {
  void operator()(HRGN h) const { DeleteObject(h); }
};

using ScopedHandle = Scoped<HANDLE, CloseKernel>;
using ScopedFind = Scoped<HANDLE, CloseFind>;
using ScopedKey = Scoped<HKEY, CloseKey>;
template <typename T>
using ScopedGdi = Scoped<T, CloseGdi>;
using ScopedMemoryDc = Scoped<HDC, CloseMemoryDc>;
using ScopedImageList = Scoped<HIMAGELIST, CloseImageList>;
using ScopedIcon = Scoped<HICON, CloseIcon>;
using ScopedMenu = Scoped<HMENU, CloseMenu>;

// A window's DC, released to its window.
class ScopedWindowDc : public Scoped<HDC, ReleaseWindowDc> {
 public:
  explicit ScopedWindowDc(HWND window) : Scoped(GetDC(window), ReleaseWindowDc{window}) {}
};

// Selects an object into a DC and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~ScopedSelect() { SelectObject(dc_, old_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Painting through a memory DC of the target's size, copied to the target
// when it goes: no flicker.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, int width, int height)
      : target_(target), w_(width), h_(height), dc_(CreateCompatibleDC(target)),
        bmp_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        select_(dc_.get(), bmp_.get()) {}
  ~BufferedPaint() { BitBlt(target_, 0, 0, w_, h_, dc_.get(), 0, 0, SRCCOPY); }
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  HDC dc() const { return dc_.get(); }

 private:
  HDC target_;
  int w_, h_;
  ScopedMemoryDc dc_;
  ScopedGdi<HBITMAP> bmp_;
  ScopedSelect select_;
};

}  // namespace vexa::ui
