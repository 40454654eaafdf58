#include "app/form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/win32/controls.h"

namespace vexa::app {

namespace {

constexpr wchar_t kForm1Class[] = L"VexaForm1";
constexpr wchar_t kForm1Caption[] = L"VexaUtility Solace";

// The mapping from navigation panels to their windows.
constexpr std::pair<Panel, ControlId> kPanels[] = {
    {Panel::PicHome, PicHome}, {Panel::Picture2, Picture2}, {Panel::PicTool, PicTool},
    {Panel::PicClean, PicClean}, {Panel::PicURL, PicURL},   {Panel::PicKeyBlock, PicKeyBlock},
    {Panel::Picture3, Picture3}, {Panel::PicTask, PicTask}, {Panel::Picture4, Picture4},
};

// Drag handles among the labels (transparent to the mouse, so their panel
// receives the press).
bool IsDragLabel(int id) { return id == Label48 || id == Label38 || id == Label20 || id == Label19; }

// Artwork on the Home page: the shield (Image5, also a drag handle).
constexpr int kShieldX = 480, kShieldY = 300, kShieldW = 1680, kShieldH = 1980;

HFONT MakeFont(const wchar_t* face, int points, int dpi, bool bold) {
  return CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

Form1::Form1(AppContext& app) : app_(app) {}

Form1::~Form1() = default;

RECT Form1::TwipsRect(int x, int y, int w, int h) const {
  return RECT{TwipsToPixels(x, dpi_), TwipsToPixels(y, dpi_), TwipsToPixels(x + w, dpi_),
              TwipsToPixels(y + h, dpi_)};
}

HWND Form1::Control(ControlId id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void Form1::Form_Initialize() {
  RegisterPanelClass();
  controls::RegisterAll(AppInstance());
  RegisterClassOnce(kForm1Class, app_.icon, nullptr);
  dpi_ = DpiOf(nullptr);
  int w = TwipsToPixels(kForm1Width, dpi_), h = TwipsToPixels(kForm1Height, dpi_);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + ((work.right - work.left) - w) / 2, y = work.top + ((work.bottom - work.top) - h) / 2;
  Create(WS_EX_APPWINDOW, kForm1Class, kForm1Caption,
         WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, x, y, w, h, nullptr);
  dpi_ = DpiOf(hwnd());
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_.icon));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_.smallIcon));
  boxes_.SetOwner(hwnd());
  CreateBrushes();
  CreateFonts();
  CreateControls();

  timer6_ = std::make_unique<WinTimer>(hwnd(), Timer6, 100);
  pages_ = std::make_unique<Form1Pages>(app_, hwnd(), [this](ControlId id) { return Control(id); }, boxes_, pump_);
  const ControlSpec& lv = *FindSpec(ListView1);
  controls_[ListView1] = pages_->CreateListView1(Control(lv.parent), TwipsRect(lv.x, lv.y, lv.w, lv.h));
  pages_->Form_Initialize();
}

bool Form1::RefuseSecondCopy() {
  if (!AnotherCopyRuns(app_)) return false;
  MessageBoxW(nullptr, L"Aplication Is Runing...", L"2 Proccess", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  return true;
}

void Form1::Form_Load() {
  SetWindowTextW(Control(Text1), LevelText(static_cast<int>(SendMessageW(Control(BLog), SBM_GETPOS, 0, 0))).c_str());
  // From here on the window's running timers tick, shown or hidden.
  timer6_->SetEnabled(true);
  pages_->Form_Load();
}

void Form1::ShowMain() {
  if (IsIconic(hwnd()))
    ShowWindow(hwnd(), SW_RESTORE);
  else
    ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void Form1::CreateFonts() {
  fontNormal_.reset(MakeFont(L"Segoe UI", 9, dpi_, false));
  fontBold_.reset(MakeFont(L"Segoe UI", 9, dpi_, true));
  fontHeader_.reset(MakeFont(L"Segoe UI", 11, dpi_, true));
  fontTitle_.reset(MakeFont(L"Arial Rounded MT Bold", 26, dpi_, true));
  fontNarrow_.reset(MakeFont(L"Arial Narrow", 20, dpi_, true));
  fontMono_.reset(MakeFont(L"Courier New", 9, dpi_, false));
  fontTab_.reset(MakeFont(L"Segoe UI", 11, dpi_, false));
  fontTabBold_.reset(MakeFont(L"Segoe UI", 11, dpi_, true));
}

void Form1::CreateBrushes() {
  titleBrush_.reset(CreateSolidBrush(kTitleColor));
  navBrush_.reset(CreateSolidBrush(kNavColor));
  tabBrush_.reset(CreateSolidBrush(kTabColor));
  pageBrush_.reset(CreateSolidBrush(kPageColor));
  headerBrush_.reset(CreateSolidBrush(kHeaderColor));
  badgeBrush_.reset(CreateSolidBrush(kBadgeColor));
}

HFONT Form1::FontFor(const ControlSpec& s) const {
  HFONT font = fontNormal_.get();
  if (s.flags & kBold) font = fontBold_.get();
  if ((s.flags & kHeaderText) && (s.flags & kBold)) font = fontHeader_.get();  // header strips
  if (s.flags & kTitleFont) font = fontTitle_.get();
  if (s.flags & kNarrow) font = fontNarrow_.get();
  if (s.flags & kMono) font = fontMono_.get();
  if (s.id >= Label1_0 && s.id <= Label1_3)
    font = s.id - Label1_0 == nav_.SelectedTab() ? fontTabBold_.get() : fontTab_.get();
  return font;
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) {
  // Everything is laid out in twips: place and size it again for the new DPI.
  dpi_ = dpi;
  CreateFonts();
  for (const ControlSpec& item : Form1Layout()) {
    HWND h = Control(item.id);
    RECT rc = TwipsRect(item.x, item.y, item.w, item.h);
    SetWindowPos(h, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(item)), TRUE);
  }
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, TwipsToPixels(kForm1Width, dpi_),
               TwipsToPixels(kForm1Height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

HWND Form1::CreateControl(const ControlSpec& s, HWND parent) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex = 0;
  const wchar_t* cls = L"STATIC";
  if (!(s.flags & kHidden)) style |= WS_VISIBLE;
  if (s.flags & kDisabled) style |= WS_DISABLED;
  switch (s.kind) {
    case Kind::Panel:
      cls = kPanelClass;
      style |= WS_CLIPCHILDREN;
      ex = WS_EX_CONTROLPARENT;  // Tab moves through the panel's controls
      break;
    case Kind::Label: style |= SS_LEFT | ((s.flags & kNotify) ? SS_NOTIFY : 0); break;
    case Kind::Button: cls = controls::kOxButtonClass; style |= WS_TABSTOP; break;
    case Kind::CheckBox: cls = L"BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case Kind::Radio: cls = L"BUTTON"; style |= BS_AUTORADIOBUTTON | WS_TABSTOP | (s.id == Option1 ? WS_GROUP : 0); break;
    case Kind::Toggle: cls = controls::kCheckboxClass; style |= WS_TABSTOP; break;
    case Kind::Edit: cls = L"EDIT"; style |= ES_AUTOHSCROLL | WS_TABSTOP; ex = WS_EX_CLIENTEDGE; break;
    case Kind::Memo:
      cls = L"EDIT";
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::ListBox:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::ListView:
      cls = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case Kind::HScroll: cls = L"SCROLLBAR"; style |= SBS_HORZ | WS_TABSTOP; break;
    case Kind::Spinner: cls = controls::kSpinnerClass; break;
    case Kind::ProgressXp: cls = controls::kProgressXpClass; break;
    case Kind::Vista: cls = controls::kVistaClass; break;
    case Kind::StdProgress: cls = PROGRESS_CLASSW; break;
    case Kind::Hosted:
      return nullptr;
    case Kind::Frame:
      // A group box draws its edge only; transparent, so that its panel
      // (which clips its children) still paints the inside.
      cls = L"BUTTON";
      style |= BS_GROUPBOX;
      ex = WS_EX_TRANSPARENT;
      break;
  }
  RECT rc = TwipsRect(s.x, s.y, s.w, s.h);
  HWND h = CreateWindowExW(ex, cls, s.caption, style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)), AppInstance(), nullptr);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(s)), FALSE);
  if (s.flags & kChecked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
  return h;
}

void Form1::CreateControls() {
  for (const ControlSpec& s : Form1Layout()) {
    HWND parent = s.parent == kNone ? hwnd() : Control(s.parent);
    HWND h = CreateControl(s, parent);
    if (!h) continue;  // created by its page
    controls_[s.id] = h;
    // Table order is stacking order, first on top.
    SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (s.kind == Kind::Panel) {
      HBRUSH brush = (s.flags & kHeaderPanel) ? (s.id == Picture9 ? titleBrush_.get() : headerBrush_.get())
                                              : pageBrush_.get();
      SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
    }
  }
  // Design values that need more than a caption.
  SendMessageW(Control(PB1), PBM_SETRANGE32, 0, 200);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 100, 1, 80};
  SetScrollInfo(Control(BLog), SB_CTL, &si, FALSE);
  SendMessageW(Control(UCP), controls::kSpinnerSetBackColor, kPageColor, 0);
  SendMessageW(Control(UCP1), controls::kSpinnerSetBackColor, kPageColor, 0);
  SendMessageW(Control(PB), PBM_SETRANGE32, 0, 200);

  HWND lv2 = Control(ListView2);
  ListView_SetExtendedListViewStyle(lv2, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH};
  col.cx = TwipsToPixels(7600, dpi_);
  col.pszText = const_cast<wchar_t*>(L"");
  ListView_InsertColumn(lv2, 0, &col);
}

void Form1::OnPaint() {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  {
    win32::BufferedPaint paint(target, client.right, client.bottom);
    HDC dc = paint.dc();
    // The window background for the selected tab: title strip, navigation
    // column with the selected row lit, page area.
    RECT title{0, 0, client.right, TwipsToPixels(kTitleStripHeight, dpi_)};
    FillRect(dc, &client, pageBrush_.get());
    FillRect(dc, &title, titleBrush_.get());
    RECT nav{0, title.bottom, TwipsToPixels(3240, dpi_), client.bottom};
    FillRect(dc, &nav, navBrush_.get());
    for (int i = 0; i < 4; ++i) {
      RECT row = TwipsRect(kTabLeft, kTabTops[i], 3240 - kTabLeft - 120, kTabHeight - 30);
      FillRect(dc, &row, i == nav_.SelectedTab() ? tabBrush_.get() : navBrush_.get());
      // The tab icon: a small rounded square left of the caption.
      RECT icon = TwipsRect(kTabLeft + 240, kTabTops[i] + 150, 330, 330);
      win32::ScopedGdi<HBRUSH> b(CreateSolidBrush(i == nav_.SelectedTab() ? RGB(255, 255, 255) : RGB(130, 160, 200)));
      win32::ScopedSelect sb(dc, b.get());
      win32::ScopedSelect sp(dc, GetStockObject(NULL_PEN));
      RoundRect(dc, icon.left, icon.top, icon.right, icon.bottom, 6, 6);
    }
  }
  EndPaint(hwnd(), &ps);
}

HBRUSH Form1::OnCtlColor(HDC dc, HWND control) {
  int id = GetDlgCtrlID(control);
  const ControlSpec* layout = FindSpec(static_cast<ControlId>(id));
  HWND parent = GetParent(control);
  HBRUSH brush = pageBrush_.get();
  COLORREF back = kPageColor;
  if (parent == hwnd()) {
    bool selected = id >= Label1_0 && id <= Label1_3 && id - Label1_0 == nav_.SelectedTab();
    bool tab = id >= Label1_0 && id <= Label1_3;
    brush = selected ? tabBrush_.get() : tab ? navBrush_.get() : titleBrush_.get();
    back = selected ? kTabColor : tab ? kNavColor : kTitleColor;
  } else if (HBRUSH pb = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(parent, GWLP_USERDATA))) {
    brush = pb;
    back = pb == headerBrush_.get() ? kHeaderColor : pb == titleBrush_.get() ? kTitleColor : kPageColor;
  }
  COLORREF text = RGB(30, 30, 30);
  if (layout && (layout->flags & kHeaderText)) text = RGB(255, 255, 255);
  if (layout && (layout->flags & kGreen)) text = RGB(0, 150, 60);
  if (id == Label28) {
    brush = badgeBrush_.get();
    back = kBadgeColor;
    text = level_color_;
  }
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  return brush;
}

void Form1::DragWindow() {
  ReleaseCapture();
  SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Form1::OnMouseDown(HWND source, POINT pt, bool left) {
  if (!left) return;  // only the left button drags or selects a tab
  if (source == hwnd()) {
    if (pt.y < TwipsToPixels(kTitleStripHeight, dpi_)) return DragWindow();  // Image3
    for (int i = 0; i < 4; ++i) {
      RECT row = TwipsRect(kTabLeft, kTabTops[i], kTabWidth, kTabHeight);
      if (PtInRect(&row, pt)) return Image1_Click(i);
    }
    return;
  }
  int panel = GetDlgCtrlID(source);
  if (panel == Picture9) return DragWindow();
  if (panel == PicHome) {
    RECT shield = TwipsRect(kShieldX, kShieldY, kShieldW, kShieldH);
    if (PtInRect(&shield, pt)) return DragWindow();  // Image5
  }
  HWND child = ChildWindowFromPointEx(source, pt, CWP_SKIPINVISIBLE);
  if (child && child != source && IsDragLabel(GetDlgCtrlID(child))) DragWindow();
}

void Form1::Image1_Click(int index) {
  if (index < 0 || index > 3) return;
  nav_.Image1_Click(index);
  ApplyNavigation();
}

void Form1::ApplyNavigation() {
  for (auto [panel, id] : kPanels) {
    HWND h = Control(id);
    bool want = nav_.Visible(panel);
    if ((IsWindowVisible(h) != FALSE) != want || (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != (want ? WS_VISIBLE : 0u))
      ShowWindow(h, want ? SW_SHOWNA : SW_HIDE);
  }
  for (int i = 0; i < 4; ++i) {
    HWND label = Control(static_cast<ControlId>(Label1_0 + i));
    SendMessageW(label, WM_SETFONT,
                 reinterpret_cast<WPARAM>(i == nav_.SelectedTab() ? fontTabBold_.get() : fontTab_.get()), TRUE);
  }
  SetWindowTextW(Control(Label2), nav_.Title().c_str());
  RECT nav = TwipsRect(0, kTitleStripHeight, 3240, kForm1Height);
  InvalidateRect(hwnd(), &nav, TRUE);
  RECT title = TwipsRect(0, 0, kForm1Width, kTitleStripHeight);
  InvalidateRect(hwnd(), &title, TRUE);
}

void Form1::OnCommand(int id, int code) {
  if (code == STN_CLICKED && id >= Label1_0 && id <= Label1_3) return Image1_Click(id - Label1_0);
  if (pages_ && pages_->OnCommand(id, code)) return;
  if (code != BN_CLICKED) return;
  switch (id) {
    case oxbutton11:
    case Label21:
      ShowWindow(hwnd(), SW_MINIMIZE);
      break;
    case oxbutton6:
      ShowWindow(hwnd(), SW_HIDE);
      break;
    case oxbutton4: nav_.oxbutton4_Click(); ApplyNavigation(); break;
    case oxbutton8:
      nav_.oxbutton8_Click();
      ApplyNavigation();
      pages_->RefreshWindowList();
      break;
    case oxbutton7:
    case oxbutton9: nav_.BackFromLogger(); ApplyNavigation(); break;
    case oxbutton5: nav_.oxbutton5_Click(); ApplyNavigation(); break;
    case oxbutton14: nav_.oxbutton14_Click(); ApplyNavigation(); break;
    case oxbutton15: nav_.oxbutton15_Click(); ApplyNavigation(); break;
    case oxbutton17: nav_.oxbutton17_Click(); ApplyNavigation(); break;
    case oxbutton16:
    case oxbutton18: nav_.BackFromUrl(); ApplyNavigation(); break;
    case oxbutton10:
      // One About window at most; one closed with "X" is built afresh.
      if (!about_ || !about_->Loaded()) about_ = std::make_unique<Form3>(app_.shell, app_.icon);
      about_->ShowAbout();
      break;
    case oxbutton3:
      app_.shell.SetOwner(hwnd());
      OpenLogViewer(*app_.log, app_.shell);
      break;
    default:
      break;
  }
}

void Form1::OnHScroll(HWND bar, int code, int pos) {
  if (bar != Control(BLog)) return;
  int v = static_cast<int>(SendMessageW(bar, SBM_GETPOS, 0, 0));
  switch (code) {
    case SB_LINELEFT: v -= 1; break;
    case SB_LINERIGHT: v += 1; break;
    case SB_PAGELEFT: v -= 10; break;
    case SB_PAGERIGHT: v += 10; break;
    case SB_LEFT: v = 0; break;
    case SB_RIGHT: v = 100; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: v = pos; break;
    default: return;
  }
  v = v < 0 ? 0 : (v > 100 ? 100 : v);
  SendMessageW(bar, SBM_SETPOS, v, TRUE);
}

void Form1::Timer6_Timer() {
  int v = static_cast<int>(SendMessageW(Control(BLog), SBM_GETPOS, 0, 0));
  LevelRating rating = RateLevel(v);
  if (rating.changes) {
    HWND label = Control(Label28);
    bool recolour = rating.color != level_color_;
    level_color_ = rating.color;
    if (WindowTextOf(label) != rating.caption) SetWindowTextW(label, rating.caption.c_str());
    if (recolour) InvalidateRect(label, nullptr, TRUE);
  }
  WinCaption(Control(Text1)).SetText(LevelText(v));
}

void Form1::OnTimer(UINT_PTR id) {
  switch (id) {
    case Timer6: Timer6_Timer(); break;
    default:
      if (pages_) pages_->OnTimer(id);
      break;
  }
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (pages_ && pages_->OnNotify(*reinterpret_cast<const NMHDR*>(lp), result)) return result;
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)));
    case WM_HSCROLL: OnHScroll(reinterpret_cast<HWND>(lp), LOWORD(wp), HIWORD(wp)); return 0;
    case WM_TIMER: OnTimer(wp); return 0;
    case WM_LBUTTONDOWN: OnMouseDown(hwnd(), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, true); return 0;
    case WM_RBUTTONDOWN: OnMouseDown(hwnd(), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, false); return 0;
    case kPanelLeftDown:
    case kPanelRightDown:
      OnMouseDown(reinterpret_cast<HWND>(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, msg == kPanelLeftDown);
      return 0;
    case kPanelPaintArt: {
      HWND panel = reinterpret_cast<HWND>(lp);
      if (GetDlgCtrlID(panel) == PicHome) {
        // Image5: a shield with a tick.
        HDC dc = reinterpret_cast<HDC>(wp);
        RECT r = TwipsRect(kShieldX, kShieldY, kShieldW, kShieldH);
        POINT shape[] = {{r.left, r.top + (r.bottom - r.top) / 8}, {(r.left + r.right) / 2, r.top},
                         {r.right, r.top + (r.bottom - r.top) / 8}, {r.right, (r.top + r.bottom) / 2},
                         {(r.left + r.right) / 2, r.bottom}, {r.left, (r.top + r.bottom) / 2}};
        win32::ScopedGdi<HBRUSH> b(CreateSolidBrush(kHeaderColor));
        win32::ScopedSelect sb(dc, b.get());
        win32::ScopedSelect sp(dc, GetStockObject(NULL_PEN));
        Polygon(dc, shape, 6);
        win32::ScopedGdi<HPEN> tick(CreatePen(PS_SOLID, TwipsToPixels(150, dpi_), RGB(255, 255, 255)));
        win32::ScopedSelect st(dc, tick.get());
        int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, u = (r.right - r.left) / 6;
        MoveToEx(dc, cx - u * 3 / 2, cy - u / 4, nullptr);
        LineTo(dc, cx - u / 3, cy + u);
        LineTo(dc, cx + u * 3 / 2, cy - u * 3 / 2);
      }
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_CLOSE:
      // The main window stays loaded for the whole run; closing hides it.
      ShowWindow(hwnd(), SW_HIDE);
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace vexa::app
