#pragma once
// Shared plumbing of the control classes: per-window state allocated on
// WM_NCCREATE and freed on WM_NCDESTROY, the messages every control answers
// alike, and a few drawing helpers.
#include <windows.h>

#include "controls/win32/controls.h"
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

// The window procedure every control shares. It binds the state and answers
// alike for every control:
//   WM_PAINT         State::Paint(dc, client) into an off-screen buffer, or
//                    State::OnPaint() where the state keeps a buffer of its own
//   WM_PRINTCLIENT   State::Paint into the DC given
//   WM_ERASEBKGND    nothing: the paint covers the whole client area
//   kLoadProperties  State::Load(bag) and a repaint
// A state with a timer returns it from OwnTimer(): the timer runs on the
// window from its creation until it is destroyed. A state with a size of its
// own returns, from Fit(cx, cy), the size it takes for a requested one; it is
// applied to every resize, and on creation and DPI changes. Every other
// message, these last ones included, goes on to State::Handle(msg, wp, lp,
// result), which returns false to leave it to DefWindowProc.
template <typename State>
LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  State* s = BindState<State>(hwnd, msg);
  if (!s) return DefWindowProcW(hwnd, msg, wp, lp);
  RECT client;
  switch (msg) {
    case WM_PAINT: {
      if constexpr (requires { s->OnPaint(); }) {  // a state that keeps a buffer of its own
        s->OnPaint();
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      GetClientRect(hwnd, &client);
      {
        ui::BufferedPaint buffer(dc, client.right, client.bottom);
        s->Paint(buffer.dc(), client);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      GetClientRect(hwnd, &client);
      s->Paint(reinterpret_cast<HDC>(wp), client);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case kLoadProperties:
      if (lp) s->Load(*reinterpret_cast<const PropertyBag*>(lp));
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
  }
  if constexpr (requires { s->OwnTimer(); }) {
    if (msg == WM_NCCREATE) s->OwnTimer().Bind(hwnd);
    if (msg == WM_DESTROY) s->OwnTimer().Stop();
  }
  if constexpr (requires { s->Fit(0, 0); }) {
    if (auto* pos = reinterpret_cast<WINDOWPOS*>(lp); msg == WM_WINDOWPOSCHANGING && !(pos->flags & SWP_NOSIZE)) {
      const SIZE fit = s->Fit(pos->cx, pos->cy);
      pos->cx = fit.cx, pos->cy = fit.cy;
    } else if (msg == WM_CREATE || msg == WM_DPICHANGED_AFTERPARENT) {
      GetClientRect(hwnd, &client);
      SetWindowPos(hwnd, nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(hwnd, nullptr, FALSE);
    }
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
