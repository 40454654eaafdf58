// oxbutton: the skinned push, check and option button. The window text is
// the caption; a click (left press and release inside, Space, Enter, the
// access key or BM_CLICK) sends BN_CLICKED to the parent.
#include "controls/oxbutton/win32/oxbutton.h"

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <iterator>
#include <utility>

#include "controls/oxbutton/win32/oxbutton_view.h"
#include "controls/win32/control_base.h"
#include "controls/win32/controls.h"
#include "ui/dpi.h"
#include "ui/window.h"

namespace vexa::controls {
namespace ox {
namespace {

std::int16_t ShiftKeys() {
  return static_cast<std::int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                   (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

std::int16_t MouseShift(WPARAM wp) {
  return static_cast<std::int16_t>(((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0) |
                                   (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

OxView* ViewOf(HWND hwnd) { return reinterpret_cast<OxView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

bool IsOxButton(HWND hwnd) {
  wchar_t name[32];
  return GetClassNameW(hwnd, name, 32) && lstrcmpiW(name, kOxButtonClass) == 0;
}

// Delivers the hooked messages after the window's own handling, which may
// destroy the button: the view stays alive until this returns.
LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* view = reinterpret_cast<OxView*>(ref);
  ++view->depth;
  LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  if (!view->dead) view->Subclass_WndProc(hwnd, msg, wp, lp);
  if (--view->depth == 0 && view->dead) delete view;
  return result;
}

LRESULT CALLBACK OxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = new OxView(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  OxView* view = ViewOf(hwnd);
  if (!view) return DefWindowProcW(hwnd, msg, wp, lp);
  ++view->depth;
  LRESULT result = 0;
  if (!view->Handle(msg, wp, lp, result)) result = DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    view->dead = true;
  }
  if (--view->depth == 0 && view->dead) delete view;
  return result;
}

}  // namespace

OxView::OxView(HWND hwnd) : hwnd_(hwnd), model_(*this, *this) { LoadSystemColors(); }

OxView::~OxView() {
  if (tooltip_) DestroyWindow(tooltip_);
}

void OxView::LoadSystemColors() {
  SystemColors sys{};
  for (std::size_t i = 0; i < sys.size(); ++i) sys[i] = GetSysColor(static_cast<int>(i));
  model_.SetSystemColors(sys);
}

bool OxView::Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  const float x = static_cast<float>(GET_X_LPARAM(lp)), y = static_cast<float>(GET_Y_LPARAM(lp));
  switch (msg) {
    case WM_CREATE:
      dpi_ = ui::DpiOf(hwnd_);
      model_.InitNew(ui::WindowText(hwnd_));
      model_.Set(&OxButtonProperties::Enabled, IsWindowEnabled(hwnd_) != FALSE);
      AttachHooks();
      return true;
    case WM_DESTROY:
      model_.UnsetPopupMenu();
      DetachHooks();
      if (tooltip_) DestroyWindow(std::exchange(tooltip_, nullptr));
      return false;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT rc;
      GetClientRect(hwnd_, &rc);
      PaintButton(*this, dc, rc.right, rc.bottom);
      EndPaint(hwnd_, &ps);
      return true;
    }
    case WM_PRINTCLIENT: {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      PaintButton(*this, reinterpret_cast<HDC>(wp), rc.right, rc.bottom);
      return true;
    }
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SIZE:
      UpdateRegion(true);
      Repaint();
      return true;
    case WM_DPICHANGED_AFTERPARENT:
      dpi_ = ui::DpiOf(hwnd_);
      UpdateRegion(true);
      Repaint();
      return true;
    case WM_SETTEXT:
      result = DefWindowProcW(hwnd_, msg, wp, lp);
      model_.Set(&OxButtonProperties::Caption, ui::WindowText(hwnd_));
      return true;
    case WM_SETFONT:
      setFont_ = reinterpret_cast<HFONT>(wp);
      if (LOWORD(lp)) Repaint();
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(CaptionFont());
      return true;
    case WM_ENABLE:
      if (model_.Properties().Enabled != (wp != 0)) model_.Set(&OxButtonProperties::Enabled, wp != 0);
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && SetCursorShape()) {
        result = TRUE;
        return true;
      }
      return false;
    case WM_MOUSEMOVE:
      model_.MouseMove(x, y);
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const std::int16_t button = msg == WM_LBUTTONDOWN ? 1 : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? 2 : 4;
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      ::SetCapture(hwnd_);
      model_.MouseDown(button, MouseShift(wp), x, y);
      return true;
    }
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      model_.DoubleClick();
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const std::int16_t button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
      // Let go of the mouse first: a click may open a modal box.
      if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd_) ::ReleaseCapture();
      model_.MouseUp(button, MouseShift(wp), x, y);
      return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      model_.KeyDown(static_cast<std::int16_t>(wp), ShiftKeys());
      return msg == WM_KEYDOWN;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      model_.KeyUp(static_cast<std::int16_t>(wp), ShiftKeys());
      return msg == WM_KEYUP;
    case WM_CHAR:
      model_.KeyPress(static_cast<std::int16_t>(wp));
      return true;
    case WM_SETFOCUS:
      model_.GotFocus();
      Repaint();
      return true;
    case WM_KILLFOCUS:
      if (GetCapture() == hwnd_) ::ReleaseCapture();  // a Space press cut short
      model_.LostFocus();
      Repaint();
      return true;
    case WM_UPDATEUISTATE:  // the keyboard cues come or go
      result = DefWindowProcW(hwnd_, msg, wp, lp);
      Repaint();
      return true;
    case WM_GETDLGCODE: {
      // Enter, the arrows and typed characters come here; Tab and the access
      // keys stay with the dialog manager, which answers a mnemonic with BM_CLICK.
      const MSG* m = reinterpret_cast<const MSG*>(lp);
      result = DLGC_BUTTON | DLGC_WANTARROWS;
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
      if (m && m->message == WM_CHAR) result |= DLGC_WANTCHARS;
      return true;
    }
    case BM_CLICK:
      model_.AccessKeyPressed(false);
      return true;
    case BM_SETSTYLE:
      SetWindowLongPtrW(hwnd_, GWL_STYLE, (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~LONG_PTR{0xFFFF}) | (wp & 0xFFFF));
      model_.SetDisplayAsDefault((wp & 0x0F) == BS_DEFPUSHBUTTON);
      return true;
    case BM_GETCHECK:
      result = model_.Properties().value ? BST_CHECKED : BST_UNCHECKED;
      return true;
    case BM_SETCHECK:
      model_.Set(&OxButtonProperties::value, wp == BST_CHECKED);
      return true;
    case kLoadProperties:
      if (const auto* bag = reinterpret_cast<const PropertyBag*>(lp)) {
        // A record without "Enabled" keeps the window's own state (WS_DISABLED at creation).
        PropertyBag record = *bag;
        if (!record.Has(L"Enabled")) record.WriteAlways(L"Enabled", IsWindowEnabled(hwnd_) != FALSE);
        pictures_.clear();
        model_.Load(record);
        SyncWindowText();
        AttachHooks();
      }
      return true;
    case kOxSaveProperties:
      if (auto* bag = reinterpret_cast<PropertyBag*>(lp)) model_.Save(*bag);
      return true;
    case kOxSetPopupMenu:
      if (const auto* menu = reinterpret_cast<const OxPopupMenu*>(lp)) {
        std::optional<std::uint32_t> item;
        if (menu->hasDefaultItem) item = menu->defaultItem;
        model_.SetPopupMenu(reinterpret_cast<MenuHandle>(menu->menu), menu->align, menu->flags, item);
      }
      result = model_.PopupMode();
      return true;
    case kOxUnsetPopupMenu:
      model_.UnsetPopupMenu();
      return true;
    case kOxGetState:
      result = model_.State();
      return true;
    case kOxOpenWebsite:
      if (lp) model_.OpenWebsite(reinterpret_cast<const wchar_t*>(lp));
      return true;
    case kOxAbout:
      model_.About();
      return true;
    default:
      return false;
  }
}

void OxView::Subclass_WndProc(HWND from, UINT msg, WPARAM wp, LPARAM lp) {
  if (from == hwnd_) {
    if (msg == WM_MOUSELEAVE) model_.MouseLeft();
    if (msg == WM_THEMECHANGED) Repaint();
    return;
  }
  if (msg == activateMsg_) {
    model_.ParentActivated(LOWORD(wp) != 0);
  } else if (msg == WM_SYSCOLORCHANGE) {
    // Only top-level windows hear of it; the form passes it on to us.
    LoadSystemColors();
    Repaint();
  } else if (msg == WM_THEMECHANGED) {
    Repaint();
  }
}

void OxView::AttachHooks() {
  HWND form = GetAncestor(hwnd_, GA_ROOT);
  for (HWND w = GetParent(hwnd_); w; w = GetParent(w))
    if (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_MDICHILD) {
      form = w;
      break;
    }
  HMODULE user = GetModuleHandleW(L"user32.dll");
  HMODULE common = GetModuleHandleW(L"comctl32.dll");
  model_.SetTrackMouseAvailable((user && GetProcAddress(user, "TrackMouseEvent")) ||
                                (common && GetProcAddress(common, "_TrackMouseEvent")));
  const auto id = reinterpret_cast<UINT_PTR>(hwnd_);
  SetWindowSubclass(hwnd_, HookProc, id, reinterpret_cast<DWORD_PTR>(this));
  if (form && form != hwnd_ && form != form_) {
    if (form_) RemoveWindowSubclass(form_, HookProc, id);
    form_ = form;
    activateMsg_ = (GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_MDICHILD) ? WM_NCACTIVATE : WM_ACTIVATE;
    SetWindowSubclass(form_, HookProc, id, reinterpret_cast<DWORD_PTR>(this));
  }
}

void OxView::DetachHooks() {
  const auto id = reinterpret_cast<UINT_PTR>(hwnd_);
  RemoveWindowSubclass(hwnd_, HookProc, id);
  if (form_) RemoveWindowSubclass(form_, HookProc, id);
  form_ = nullptr;
}

void OxView::SyncWindowText() {
  if (ui::WindowText(hwnd_) != model_.Properties().Caption)
    DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(model_.Properties().Caption.c_str()));
}

bool OxView::SetCursorShape() {
  const OxButtonProperties& p = model_.Properties();
  if (p.HandPointer) {
    if (!hand_) hand_ = LoadCursorW(nullptr, IDC_HAND);
    SetCursor(hand_);
    return true;
  }
  static const LPCWSTR kStandard[] = {nullptr,     IDC_ARROW,   IDC_CROSS,   IDC_IBEAM,    IDC_ICON,
                                      IDC_SIZE,    IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE,
                                      IDC_UPARROW, IDC_WAIT,    IDC_NO,      IDC_APPSTARTING, IDC_HELP,
                                      IDC_SIZEALL};
  if (p.MousePointer > 0 && p.MousePointer < static_cast<int>(std::size(kStandard))) {
    SetCursor(LoadCursorW(nullptr, kStandard[p.MousePointer]));
    return true;
  }
  if (p.MousePointer == 99 && !p.MouseIcon.empty()) {
    HCURSOR custom = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), p.MouseIcon.c_str(), IMAGE_CURSOR, 0, 0, LR_SHARED));
    if (custom) {
      SetCursor(custom);
      return true;
    }
  }
  return false;
}

HFONT OxView::CaptionFont() {
  if (setFont_) return setFont_;
  const FontSpec& f = model_.Properties().Font;
  if (!ownFont_ || !(ownFontSpec_ == f) || ownFontDpi_ != dpi_) {
    ownFont_ = ui::MakeFont({f.name.c_str(), f.points, f.bold, f.underline, false, f.italic, f.strikethrough}, dpi_);
    ownFontSpec_ = f;
    ownFontDpi_ = dpi_;
  }
  return ownFont_.get();
}

void OxView::Repaint() { InvalidateRect(hwnd_, nullptr, FALSE); }

void OxView::UpdateRegion(bool redraw) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  const RegionSpec region = RegionFor(model_.Properties().ButtonStyle);
  if (region.shape == RegionShape::Theme) return;  // set while painting, from the theme
  const int e = MulDiv(region.ellipse, dpi_, 96);
  RegionKey key{static_cast<int>(region.shape), e, rc.right, rc.bottom};
  if (key == region_) return;
  region_ = key;
  HRGN rgn = region.shape == RegionShape::Rounded ? CreateRoundRectRgn(0, 0, rc.right + 1, rc.bottom + 1, e, e)
                                                : CreateRectRgn(0, 0, rc.right, rc.bottom);
  if (!SetWindowRgn(hwnd_, rgn, redraw)) DeleteObject(rgn);
}

void OxView::SetThemeRegion(HRGN region) {
  region_ = RegionKey{};
  if (!SetWindowRgn(hwnd_, region, FALSE)) DeleteObject(region);
}

void OxView::EnableWindow(bool enabled) { ::EnableWindow(hwnd_, enabled); }

int OxView::ScaleWidth() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  return rc.right;
}

int OxView::ScaleHeight() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  return rc.bottom;
}

bool OxView::PointOverButton(float x, float y) {
  POINT pt{static_cast<LONG>(x), static_cast<LONG>(y)};
  ClientToScreen(hwnd_, &pt);
  return WindowFromPoint(pt) == hwnd_;
}

bool OxView::CursorOverButton() {
  POINT pt;
  return GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_;
}

bool OxView::TrackMouseLeave() {
  TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
  return TrackMouseEvent(&tme) != FALSE;
}

void OxView::CreateTooltip() {
  if (tooltip_) DestroyWindow(std::exchange(tooltip_, nullptr));
  const OxButtonProperties& p = model_.Properties();
  DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (p.ToolTipType == 1 ? TTS_BALLOON : 0);
  DWORD ex = WS_EX_TOPMOST | (model_.RightToLeftLayout() ? WS_EX_LAYOUTRTL : 0);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  tooltip_ = CreateWindowExW(ex, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, hwnd_, nullptr, instance, nullptr);
  if (!tooltip_) return;
  SetClassLongPtrW(tooltip_, GCL_STYLE, GetClassLongPtrW(tooltip_, GCL_STYLE) | CS_DROPSHADOW);
  std::wstring text = p.ToolTip;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.hinst = instance;
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!p.TooltipTitle.empty() || p.ToolTipIcon != 0)
    SendMessageW(tooltip_, TTM_SETTITLEW, static_cast<WPARAM>(p.ToolTipIcon), reinterpret_cast<LPARAM>(p.TooltipTitle.c_str()));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(240, dpi_, 96));
  if (p.TooltipBackColor != 0) SendMessageW(tooltip_, TTM_SETTIPBKCOLOR, model_.Translate(p.TooltipBackColor), 0);
}

bool OxView::HasCapture() { return GetCapture() == hwnd_; }
void OxView::SetCapture() { ::SetCapture(hwnd_); }
void OxView::ReleaseCapture() {
  if (GetCapture()) ::ReleaseCapture();
}

void OxView::MoveFocus(bool forward) {
  HWND next = GetNextDlgTabItem(GetAncestor(hwnd_, GA_ROOT), hwnd_, !forward);
  if (next && next != hwnd_) SetFocus(next);
}

std::uintptr_t OxView::Container() { return reinterpret_cast<std::uintptr_t>(GetParent(hwnd_)); }

std::vector<OptionPeer> OxView::FormButtons() {
  std::vector<OptionPeer> peers;
  EnumChildWindows(
      GetAncestor(hwnd_, GA_ROOT),
      [](HWND w, LPARAM out) -> BOOL {
        if (IsOxButton(w))
          if (OxView* v = ViewOf(w))
            reinterpret_cast<std::vector<OptionPeer>*>(out)->push_back(
                {&v->model(), reinterpret_cast<std::uintptr_t>(GetParent(w))});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&peers));
  return peers;
}

bool OxView::IsMenu(MenuHandle menu) { return menu && ::IsMenu(reinterpret_cast<HMENU>(menu)); }

void OxView::ShowPopupMenu(MenuHandle menu, int x, int y, std::uint32_t flags, std::optional<std::uint32_t> item) {
  HMENU m = reinterpret_cast<HMENU>(menu);
  POINT pt{x, y};
  ClientToScreen(hwnd_, &pt);
  if (item) SetMenuDefaultItem(m, *item, FALSE);
  HWND owner = GetParent(hwnd_) ? GetParent(hwnd_) : hwnd_;
  TrackPopupMenu(m, flags, pt.x, pt.y, 0, owner, nullptr);
}

void OxView::ShellOpen(const std::wstring& address) {
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OxView::ShowMessage(const std::wstring& text, const std::wstring& title) {
  MessageBoxW(GetAncestor(hwnd_, GA_ROOT), text.c_str(), title.c_str(), MB_OK);
}

bool OxView::LoadHandCursor() {
  hand_ = LoadCursorW(nullptr, IDC_HAND);
  return hand_ != nullptr;
}

bool OxView::ThemesAvailable() {
  HMODULE ux = LoadLibraryW(L"uxtheme.dll");
  bool themed = ux && IsAppThemed();
  if (ux) FreeLibrary(ux);
  return themed;
}

void OxView::Click() { NotifyClicked(hwnd_); }

const Picture* OxView::PictureFor(PictureSlot slot) {
  const OxButtonProperties& p = model_.Properties();
  const std::wstring& name = slot == PictureSlot::Normal ? p.PictureNormal
                             : slot == PictureSlot::Hot  ? p.PictureHot
                             : slot == PictureSlot::Down ? p.PictureDown
                                                         : std::wstring();
  if (name.empty()) return nullptr;
  auto it = pictures_.find(name);
  if (it == pictures_.end()) it = pictures_.emplace(name, LoadPictureNamed(name)).first;
  return it->second.width > 0 ? &it->second : nullptr;
}

}  // namespace ox

void RegisterOxButton(HINSTANCE) {
  ui::RegisterWindowClass(kOxButtonClass, ox::OxProc, nullptr, CLR_INVALID, CS_DBLCLKS | CS_PARENTDC);
}

}  // namespace vexa::controls
