#pragma once
// The base of the program's own windows. The C++ object is bound to its
// window on WM_NCCREATE and unbound on WM_NCDESTROY, so no message reaches a
// half-destroyed object. The window procedure unpacks each message and calls
// a typed handler; a window overrides the handlers it needs, and
// HandleMessage for the rare message that has none.
#include <windows.h>

#include <string>

namespace vexa::ui {

HINSTANCE AppInstance();

// Registers a window class once per process. `background` is the colour the
// class erases with (CLR_INVALID: none); its brush lives as long as the class.
void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon = nullptr,
                         COLORREF background = CLR_INVALID, UINT style = CS_DBLCLKS,
                         LPCWSTR cursor = IDC_ARROW);

// The text of any window or control.
std::wstring WindowText(HWND hwnd);

// Sends WM_SETFONT.
void SetFont(HWND hwnd, HFONT font, bool redraw = false);

class Window {
 public:
  // Buffered: the window paints all of itself in OnPaint, through an
  // off-screen buffer, and never erases. System: the class background and
  // the default painting.
  enum class Painting { System, Buffered };

  explicit Window(Painting painting = Painting::System) : painting_(painting) {}
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a class whose procedure dispatches to this base.
  static void RegisterClass(const wchar_t* name, HICON icon = nullptr, COLORREF background = CLR_INVALID);
  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int w,
              int h, HWND parent = nullptr);

  // Typed handlers. Those returning bool answer whether they handled the
  // message; otherwise it goes on to the default procedure.
  virtual void OnCreate() {}
  virtual void OnPaint(HDC dc, const RECT& client) {}
  virtual bool OnCommand(int id, int code, HWND control) { return false; }
  virtual bool OnNotify(const NMHDR& header, LRESULT& result) { return false; }
  virtual void OnTimer(UINT_PTR id) {}
  virtual void OnMouseDown(POINT pt, bool left) {}
  virtual void OnMouseMove(POINT pt, WPARAM keys) {}
  virtual void OnHScroll(HWND bar, int code, int pos) {}
  virtual void OnSize(int width, int height) {}
  virtual void OnDpiChanged(int dpi, const RECT& suggested) {}
  // A label or button asks for its colours; null leaves it to the default.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control) { return nullptr; }
  virtual bool OnSetCursor(HWND over) { return false; }
  // Alt+F4, the system menu's Close; true when handled (the window stays).
  virtual bool OnClose() { return false; }
  virtual void OnDestroy() {}

  // Everything else; call Window::HandleMessage for what is not handled.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();

  HWND hwnd_ = nullptr;
  Painting painting_;
};

}  // namespace vexa::ui
