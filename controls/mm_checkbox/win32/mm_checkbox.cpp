// mm_checkbox's window class: BM_GETCHECK / BM_SETCHECK (the value: 1 on,
// anything else off), BN_CLICKED to the parent after a flip by the left
// button, Space or BM_CLICK; EnableWindow shows or hides the disabled bar;
// kLoadProperties applies an instance's persisted values. Sizes are the
// model's 96-dpi pixels scaled with the window's DPI.
#include "controls/mm_checkbox/win32/mm_checkbox.h"

#include <windowsx.h>

#include "controls/mm_checkbox/checkbox_pictures.h"
#include "controls/paint/win32/surface.h"
#include "controls/win32/control_base.h"

namespace vexa::controls {
namespace {

struct CheckState : CheckboxHost {
  HWND hwnd = nullptr;
  mm_checkbox box{*this};
  CheckboxEvents* events = nullptr;
  int downButton = 0;      // the button pressed on the control, until released
  bool spaceDown = false;

  int Dpi() const { return ui::DpiOf(hwnd); }
  SIZE Pixels(Size s) const { return {ScaleToDpi(s.cx, Dpi()), ScaleToDpi(s.cy, Dpi())}; }
  SIZE Fit(int, int) const { return Pixels(box.ControlSize()); }
  void Load(const PropertyBag& bag) { box.Load(bag); }

  // CheckboxHost
  void Raise(const CheckboxEvent& e) override {
    if (e.number == CheckboxEvent::Click) NotifyClicked(hwnd);
    if (events) events->OnCheckboxEvent(hwnd, e);
  }
  void Resize(Size s) override {
    const SIZE px = Pixels(s);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    if (rc.right - rc.left != px.cx || rc.bottom - rc.top != px.cy)
      SetWindowPos(hwnd, nullptr, 0, 0, px.cx, px.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void ApplyRegion(Size s, int ellipse) override {
    const SIZE px = Pixels(s);
    const int r = ScaleToDpi(ellipse, Dpi());
    HRGN region = CreateRoundRectRgn(0, 0, px.cx, px.cy, r, r);
    if (region && !SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region);  // the window owns it on success
  }
  void EnableWindow(bool on) override { ::EnableWindow(hwnd, on); }
  // Leaving cancels a press: a release after it is no click.
  void Capture(bool on) override {
    if (on) {
      SetCapture(hwnd);
      return;
    }
    downButton = 0;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  void Repaint() override { InvalidateRect(hwnd, nullptr, FALSE); }

  void Paint(HDC dc, const RECT& rc) {
    const int dpi = Dpi();
    Canvas face(rc.right, rc.bottom, PixelOf(static_cast<Colour>(ParentBackground(hwnd))));
    face.Draw(CheckboxPicture(box.Small(), box.ShowsOnPicture(), GetFocus() == hwnd, dpi), 0, 0);
    const Rect bar = box.DisabledBar();
    if (bar.Width() > 0) {
      const int left = ScaleToDpi(bar.left, dpi), top = ScaleToDpi(bar.top, dpi);
      face.Draw(DisabledBarPicture(ScaleToDpi(bar.right, dpi) - left, ScaleToDpi(bar.bottom, dpi) - top), left, top);
    }
    DrawCanvas(dc, 0, 0, face);
  }

  static int Buttons(WPARAM wp) {
    return (wp & MK_LBUTTON ? mm_checkbox::kLeftButton : 0) | (wp & MK_RBUTTON ? mm_checkbox::kRightButton : 0) |
           (wp & MK_MBUTTON ? mm_checkbox::kMiddleButton : 0);
  }
  static int Shift(WPARAM wp) {
    return (wp & MK_SHIFT ? 1 : 0) | (wp & MK_CONTROL ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  }
  int X(LPARAM lp) const { return ToDesignPixels(GET_X_LPARAM(lp), Dpi()); }
  int Y(LPARAM lp) const { return ToDesignPixels(GET_Y_LPARAM(lp), Dpi()); }

  void ButtonDown(int button, WPARAM wp, LPARAM lp) {
    if (button == mm_checkbox::kLeftButton && IsWindowEnabled(hwnd)) SetFocus(hwnd);
    downButton = button;
    SetCapture(hwnd);
    box.MouseDown(button, Shift(wp), X(lp), Y(lp));
  }

  void ButtonUp(int button, WPARAM wp, LPARAM lp) {
    box.MouseUp(button, Shift(wp), X(lp), Y(lp));
    RECT rc;
    GetClientRect(hwnd, &rc);
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    const bool click = downButton == button && PtInRect(&rc, pt);
    downButton = 0;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (click) box.Click();
  }

  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
      case WM_CREATE:
        // A new instance: Small, RoundedValue 0, value 0, enabled as created.
        box.SetSmall(true);
        box.SetEnabled(IsWindowEnabled(hwnd));
        return false;
      case WM_DPICHANGED_AFTERPARENT:
        box.SetValue(box.value());
        box.SetRoundedValue(box.RoundedValue());
        return true;
      case WM_ENABLE:
        if ((wp != 0) != box.Enabled()) box.SetEnabled(wp != 0);
        return true;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        Repaint();
        return true;
      case BM_GETCHECK:
        result = box.value();
        return true;
      case BM_SETCHECK:
        box.SetValue(static_cast<int>(wp));
        return true;
      case BM_CLICK:
        box.Activate();
        return true;
      case kCheckboxSetEvents:
        events = reinterpret_cast<CheckboxEvents*>(lp);
        return true;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        ButtonDown(mm_checkbox::kLeftButton, wp, lp);
        return true;
      case WM_RBUTTONDOWN:
        ButtonDown(mm_checkbox::kRightButton, wp, lp);
        return true;
      case WM_MBUTTONDOWN:
        ButtonDown(mm_checkbox::kMiddleButton, wp, lp);
        return true;
      case WM_LBUTTONUP:
        ButtonUp(mm_checkbox::kLeftButton, wp, lp);
        return true;
      case WM_RBUTTONUP:
        ButtonUp(mm_checkbox::kRightButton, wp, lp);
        return true;
      case WM_MBUTTONUP:
        ButtonUp(mm_checkbox::kMiddleButton, wp, lp);
        return true;
      case WM_MOUSEMOVE:
        box.MouseMove(Buttons(wp), Shift(wp), X(lp), Y(lp));
        return true;
      case WM_CAPTURECHANGED:  // taken by another window: the press is cancelled
        if (reinterpret_cast<HWND>(lp) && reinterpret_cast<HWND>(lp) != hwnd) downButton = 0;
        return false;
      case WM_KEYDOWN:
        if (wp == VK_SPACE && !(lp & (1 << 30))) spaceDown = true;
        return wp == VK_SPACE;
      case WM_KEYUP:
        if (wp != VK_SPACE) return false;
        if (spaceDown) box.Activate();
        spaceDown = false;
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

void RegisterCheckbox(HINSTANCE instance) { RegisterControl<CheckState>(kCheckboxClass, IDC_HAND); }

}  // namespace vexa::controls
