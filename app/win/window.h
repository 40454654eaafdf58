#pragma once
// One base for the program's own windows: binds the C++ object to its window
// on WM_NCCREATE and unbinds it before destruction, so no message reaches a
// half-destroyed object. Subclasses override HandleMessage.
#include <windows.h>

namespace vexa::app {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a class whose window procedure dispatches to HandleMessage.
  static void RegisterClassOnce(const wchar_t* className, HICON icon, HBRUSH background);
  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int w,
              int h, HWND parent);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

HINSTANCE AppInstance();

// Twips to device pixels at a given DPI (1440 twips per inch).
inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
int DpiOf(HWND hwnd);

}  // namespace vexa::app
