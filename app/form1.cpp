#include "app/form1.h"

#include <windowsx.h>

#include <vector>

#include "app/art/art.h"
#include "ui/dpi.h"
#include "ui/scoped.h"

namespace vexa::app {

namespace {

constexpr wchar_t kForm1Class[] = L"VexaForm1";
constexpr wchar_t kForm1Caption[] = L"VexaUtility Solace";

// The mapping from navigation panels to their windows.
constexpr std::pair<Panel, FrameControl> kPanels[] = {
    {Panel::PicHome, PicHome}, {Panel::Picture2, Picture2}, {Panel::PicTool, PicTool},
    {Panel::PicClean, PicClean}, {Panel::PicURL, PicURL},   {Panel::PicKeyBlock, PicKeyBlock},
    {Panel::Picture3, Picture3}, {Panel::PicTask, PicTask}, {Panel::Picture4, Picture4},
};

// Drag handles among the labels (transparent to the mouse, so their panel
// receives the press).
bool IsDragLabel(int id) { return id == Label48 || id == Label38 || id == Label20 || id == Label19; }

bool IsTab(int id) { return id >= Label1_0 && id <= Label1_3; }

}  // namespace

Form1::Form1(AppContext& app)
    : ui::Window(Painting::Buffered),
      app_(app),
      cleaner_({app.files, app.env, *app.log, app.clock, boxes_, pump_}),
      registry_(app.registry, app.env, {app.systemFolders, app.files, app.clock, *app.log}, boxes_, pump_),
      logger_(app.processes, app.files, *app.log, app.shell, boxes_, pump_),
      windows_(app.desktop, pump_),
      keywords_(app.desktop, boxes_),
      url_({app.http, app.connection, boxes_, pump_, *app.log, app.env}) {}

void Form1::Form_Initialize() {
  RegisterClass(kForm1Class, app_.icon);
  int dpi = ui::DpiOf(nullptr);
  int w = ui::TwipsToPixels(kForm1Width, dpi), h = ui::TwipsToPixels(kForm1Height, dpi);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + ((work.right - work.left) - w) / 2, y = work.top + ((work.bottom - work.top) - h) / 2;
  Create(WS_EX_APPWINDOW, kForm1Class, kForm1Caption, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
         w, h);
  // The monitor's scale may differ from the one the user signed in with.
  if (const int own = ui::DpiOf(hwnd()); own != dpi) {
    w = ui::TwipsToPixels(kForm1Width, own), h = ui::TwipsToPixels(kForm1Height, own);
    x = work.left + ((work.right - work.left) - w) / 2, y = work.top + ((work.bottom - work.top) - h) / 2;
    SetWindowPos(hwnd(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_.icon));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_.smallIcon));
  boxes_.Attach(hwnd());
  app_.shell.SetOwner(hwnd());

  layout_.Begin(hwnd(), ui::DpiOf(hwnd()));
  layout_.Add(FrameRows());
  HWND options = Control(Picture2);
  auto back = [this](void (Navigation::*step)()) { return [this, step] { Navigate(step); }; };
  cleaner_.Create(layout_, {Control(PicClean), options});
  registry_.Create(layout_, {Control(Picture4), options, back(&Navigation::oxbutton14_Click)});
  logger_.Create(layout_, {Control(Picture3), options, back(&Navigation::BackFromLogger)});
  windows_.Create(layout_, {Control(PicTask), options, back(&Navigation::BackFromLogger)});
  url_.Create(layout_, {Control(PicURL), options, back(&Navigation::BackFromUrl)});
  keywords_.Create(layout_, {Control(PicKeyBlock), options, back(&Navigation::BackFromUrl)});
  ApplyNavigation();
}

bool Form1::RefuseSecondCopy() {
  if (!AnotherCopyRuns(app_)) return false;
  MessageBoxW(nullptr, L"Aplication Is Runing...", L"2 Proccess", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  return true;
}

void Form1::Form_Load() {
  // From here on the window's running timers tick, shown or hidden.
  for (ui::Panel* panel : panels_) panel->Load();
}

void Form1::ShowMain() {
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd());
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) {
  // Everything is laid out in twips: place and size it again for the new DPI.
  layout_.ChangeDpi(dpi);
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, ui::TwipsToPixels(kForm1Width, dpi),
               ui::TwipsToPixels(kForm1Height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyNavigation();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void Form1::OnPaint(HDC dc, const RECT& client) {
  // Until a tab is clicked the window wears the Home background.
  DrawMainBackground(dc, client, nav_.SelectedTab() < 0 ? 0 : nav_.SelectedTab(), layout_.Dpi());
}

void Form1::PaintPanelArt(HDC dc, HWND panel) {
  RECT client;
  GetClientRect(panel, &client);
  switch (GetDlgCtrlID(panel)) {
    case PicHome: DrawHomeArt(dc, client, layout_.Dpi()); break;
    case Picture9: DrawTitleArt(dc, client, layout_.Dpi()); break;
    case Picture5:
    case Picture6:
    case Picture7:
    case Picture8: DrawHeaderStrip(dc, client, layout_.Dpi()); break;
  }
}

bool Form1::OnSetCursor(HWND over) {
  if (over != hwnd()) return false;
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(hwnd(), &pt);
  bool tab = false;
  for (int top : kTabTops) {
    RECT row = Twips(kTabLeft, top, kTabWidth, kTabHeight);
    tab = tab || PtInRect(&row, pt);
  }
  SetCursor(LoadProgramCursor(tab ? ProgramCursor::Tab : ProgramCursor::Main, layout_.Dpi()));
  return true;
}

HBRUSH Form1::OnCtlColor(HDC dc, HWND control) {
  int id = GetDlgCtrlID(control);
  const int lit = nav_.SelectedTab() < 0 ? 0 : nav_.SelectedTab();  // the row the background lights
  COLORREF formBack = IsTab(id) ? (id - Label1_0 == lit ? kArtTabLit : kArtNav) : kArtTitleStrip;
  std::optional<COLORREF> text;
  for (ui::Panel* panel : panels_)
    if ((text = panel->TextColor(id))) break;
  return layout_.CtlColor(dc, control, formBack, text);
}

void Form1::DragWindow() {
  ReleaseCapture();
  SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Form1::OnMouseDown(POINT pt, bool left) {
  if (!left) return;  // only the left button drags or selects a tab
  if (pt.y < ui::TwipsToPixels(kTitleStripHeight, layout_.Dpi())) return DragWindow();  // Image3
  for (int i = 0; i < 4; ++i) {
    RECT row = Twips(kTabLeft, kTabTops[i], kTabWidth, kTabHeight);
    if (PtInRect(&row, pt)) return Image1_Click(i);
  }
}

void Form1::OnPanelMouseDown(HWND panel, POINT pt, bool left) {
  if (!left) return;
  int id = GetDlgCtrlID(panel);
  if (id == Picture9) return DragWindow();
  if (id == PicHome) {
    RECT shield = Twips(kHomeImage5.x, kHomeImage5.y, kHomeImage5.w, kHomeImage5.h);
    if (PtInRect(&shield, pt)) return DragWindow();  // Image5
  }
  HWND child = ChildWindowFromPointEx(panel, pt, CWP_SKIPINVISIBLE);
  if (child && child != panel && IsDragLabel(GetDlgCtrlID(child))) DragWindow();
}

void Form1::Image1_Click(int index) {
  if (index < 0 || index > 3) return;
  nav_.Image1_Click(index);
  ApplyNavigation();
}

void Form1::Navigate(void (Navigation::*step)()) {
  (nav_.*step)();
  ApplyNavigation();
}

void Form1::ApplyNavigation() {
  KeepKeyboardOnView();  // before any panel shows, so none is seen with the old tab order
  for (auto [panel, id] : kPanels) {
    HWND h = Control(id);
    bool want = nav_.Visible(panel);
    if ((IsWindowVisible(h) != FALSE) != want || (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != (want ? WS_VISIBLE : 0u))
      ShowWindow(h, want ? SW_SHOWNA : SW_HIDE);
  }
  // The page panels differ a little in place and size: one left visible
  // under the page on view would show along its edges. It stays visible,
  // with nothing of it on screen.
  for (auto [panel, id] : kPanels)
    if (panel <= Panel::PicClean)
      SetWindowRgn(Control(id), panel == nav_.PageOnView() ? nullptr : CreateRectRgn(0, 0, 0, 0), TRUE);
  for (int i = 0; i < 4; ++i) ui::SetFont(Control(Label1_0 + i), layout_.TabFont(i == nav_.SelectedTab()), true);
  SetWindowTextW(Control(Label2), nav_.Title().c_str());
  RECT nav = Twips(0, kTitleStripHeight, kNavWidth, kForm1Height);
  InvalidateRect(hwnd(), &nav, TRUE);
  RECT title = Twips(0, 0, kForm1Width, kTitleStripHeight);
  InvalidateRect(hwnd(), &title, TRUE);
}

// The page or tool panel a control belongs to; kCount for the frame.
Panel Form1::NearestPanel(HWND control) const {
  for (HWND h = control; h && h != hwnd(); h = GetParent(h))
    for (auto [panel, id] : kPanels)
      if (h == Control(id)) return panel;
  return Panel::kCount;
}

// Covered panels stay visible (the stacking above), so the dialog manager
// would still walk into them: Tab, then Space, would start a scan nobody
// sees. Page panels under the one on view are disabled, their controls with
// them, and only the panel on view keeps its controls in the tab order (the
// Toolbox menu and a holder lie under the tool panels that cover them). A
// focus left behind comes back to the window first.
void Form1::KeepKeyboardOnView() {
  const Panel page = nav_.PageOnView();
  const Panel onView = page == Panel::PicTool ? nav_.ToolOnView() : page;
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd(), focus)) {
    const Panel at = NearestPanel(focus);
    if (at != Panel::kCount && at != onView) SetFocus(hwnd());
  }
  for (auto [panel, id] : kPanels)
    if (panel <= Panel::PicClean) EnableWindow(Control(id), panel == page);
  std::vector<HWND> controls;
  for (auto [panel, id] : kPanels) {
    controls.clear();
    EnumChildWindows(
        Control(id),
        [](HWND c, LPARAM all) {
          reinterpret_cast<std::vector<HWND>*>(all)->push_back(c);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    for (HWND c : controls) {
      if (NearestPanel(c) != panel) continue;  // it belongs to a panel inside
      const LONG style = GetWindowLongW(c, GWL_STYLE);
      if (panel != onView && (style & WS_TABSTOP)) {
        SetWindowLongW(c, GWL_STYLE, style & ~WS_TABSTOP);
        asideTabStops_.insert(c);
      } else if (panel == onView && asideTabStops_.erase(c)) {
        SetWindowLongW(c, GWL_STYLE, style | WS_TABSTOP);
      }
    }
  }
}

bool Form1::OnCommand(int id, int code, HWND) {
  if (code == STN_CLICKED && IsTab(id)) {
    Image1_Click(id - Label1_0);
    return true;
  }
  for (ui::Panel* panel : panels_)
    if (panel->OnCommand(id, code)) return true;
  if (code != BN_CLICKED) return true;
  switch (id) {
    case oxbutton11:
    case Label21: ShowWindow(hwnd(), SW_MINIMIZE); break;
    case oxbutton6: ShowWindow(hwnd(), SW_HIDE); break;
    case oxbutton4: Navigate(&Navigation::oxbutton4_Click); break;
    case oxbutton8:
      Navigate(&Navigation::oxbutton8_Click);
      windows_.Refresh();
      break;
    case oxbutton5: Navigate(&Navigation::oxbutton5_Click); break;
    case oxbutton15: Navigate(&Navigation::oxbutton15_Click); break;
    case oxbutton17: Navigate(&Navigation::oxbutton17_Click); break;
    case oxbutton10:
      // One About window at most; one closed with "X" is built afresh.
      if (!about_ || !about_->Loaded()) about_ = std::make_unique<Form3>(app_.shell, app_.icon);
      about_->ShowAbout();
      break;
  }
  return true;
}

bool Form1::OnNotify(const NMHDR& header, LRESULT& result) {
  for (ui::Panel* panel : panels_)
    if (panel->OnNotify(header, result)) return true;
  return false;
}

void Form1::OnTimer(UINT_PTR id) {
  for (ui::Panel* panel : panels_)
    if (panel->OnTimer(id)) return;
}

void Form1::OnHScroll(HWND bar, int code, int pos) {
  for (ui::Panel* panel : panels_)
    if (panel->OnHScroll(bar, code, pos)) return;
}

bool Form1::OnClose() {
  // The main window stays loaded for the whole run; closing hides it.
  ShowWindow(hwnd(), SW_HIDE);
  return true;
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case ui::kPanelLeftDown:
    case ui::kPanelRightDown:
      OnPanelMouseDown(reinterpret_cast<HWND>(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, msg == ui::kPanelLeftDown);
      return 0;
    case ui::kPanelPaintArt: PaintPanelArt(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)); return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace vexa::app
