#pragma once
// Owners for Win32 handles: move-only, closed exactly once.
#include <windows.h>

#include <utility>

namespace vexa::win32 {

// A kernel handle; both NULL and INVALID_HANDLE_VALUE mean "none".
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  ScopedHandle& operator=(ScopedHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(HANDLE h = nullptr) {
    if (h_) CloseHandle(h_);
    h_ = (h == INVALID_HANDLE_VALUE) ? nullptr : h;
  }

 private:
  HANDLE h_ = nullptr;
};

// A GDI object deleted with DeleteObject.
template <typename T>
class ScopedGdi {
 public:
  ScopedGdi() = default;
  explicit ScopedGdi(T h) : h_(h) {}
  ~ScopedGdi() { reset(); }
  ScopedGdi(ScopedGdi&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  ScopedGdi& operator=(ScopedGdi&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  ScopedGdi(const ScopedGdi&) = delete;
  ScopedGdi& operator=(const ScopedGdi&) = delete;

  T get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(T h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }
  T release() { return std::exchange(h_, nullptr); }

 private:
  T h_ = nullptr;
};

// Selects an object into a DC and restores the previous one.
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

// A memory DC with its own bitmap, for flicker-free painting.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, int width, int height)
      : target_(target), w_(width), h_(height), dc_(CreateCompatibleDC(target)),
        bmp_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        old_(SelectObject(dc_, bmp_)) {}
  ~BufferedPaint() {
    BitBlt(target_, 0, 0, w_, h_, dc_, 0, 0, SRCCOPY);
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC target_;
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

}  // namespace vexa::win32
