#pragma once
// Shared plumbing of the control classes: per-window state allocated on
// WM_NCCREATE and freed on WM_NCDESTROY, and a few drawing helpers.
#include <windows.h>

#include <string>

#include "ui/scoped.h"
#include "ui/window.h"

namespace vexa::controls {

template <typename State>
State* StateOf(HWND hwnd) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Binds a fresh State on WM_NCCREATE and deletes it on WM_NCDESTROY; returns
// the state for any other message (null before creation).
template <typename State>
State* BindState(HWND hwnd, UINT msg) {
  if (msg == WM_NCCREATE) {
    auto* s = new State();
    s->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    return s;
  }
  State* s = StateOf<State>(hwnd);
  if (msg == WM_NCDESTROY && s) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete s;
    return nullptr;
  }
  return s;
}

inline void NotifyClicked(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  if (parent)
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

inline void FillSolid(HDC dc, const RECT& rc, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

// Colour of the window behind a control, for its corners.
inline COLORREF ParentBackground(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  HDC dc = GetDC(hwnd);
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
  COLORREF color = GetSysColor(COLOR_BTNFACE);
  LOGBRUSH lb{};
  if (brush && GetObjectW(brush, sizeof lb, &lb) && lb.lbStyle == BS_SOLID) color = lb.lbColor;
  ReleaseDC(hwnd, dc);
  return color;
}

// The window procedure every control shares: binds the state, paints through
// State::Paint(dc, client) into an off-screen buffer, never erases, and hands
// any other message to State::Handle(msg, wp, lp, result), which returns
// false to leave it to DefWindowProc.
template <typename State>
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  State* s = BindState<State>(hwnd, msg);
  if (!s) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      {
        ui::BufferedPaint buffer(dc, client.right, client.bottom);
        s->Paint(buffer.dc(), client);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
  }
  LRESULT result = 0;
  if (s->Handle(msg, wp, lp, result)) return result;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

template <typename State>
void RegisterControl(const wchar_t* className, LPCWSTR cursor, UINT style = 0) {
  ui::RegisterWindowClass(className, ControlProc<State>, nullptr, CLR_INVALID, style, cursor);
}

void RegisterOxButton(HINSTANCE instance);
void RegisterCheckbox(HINSTANCE instance);
void RegisterSpinner(HINSTANCE instance);
void RegisterProgressXp(HINSTANCE instance);
void RegisterVista(HINSTANCE instance);

}  // namespace vexa::controls
