#pragma once
// Form1, the main window: borderless and skinned, with a title strip, a
// navigation column of four tabs and a page area where one page panel is on
// view at a time. Loaded hidden at start-up; shown from the tray menu.
#include <windows.h>

#include <array>
#include <map>
#include <memory>

#include "app/app_context.h"
#include "app/control_ids.h"
#include "app/form1_layout.h"
#include "app/form1_pages.h"
#include "app/form3.h"
#include "app/model/navigation.h"
#include "app/win/adapters.h"
#include "app/win/window.h"
#include "platform/win32/handles.h"

namespace vexa::app {

class Form1 : public Window {
 public:
  explicit Form1(AppContext& app);
  ~Form1() override;

  // The single-copy rule: when another copy runs, shows "Aplication Is
  // Runing..." and returns true; the caller then ends the program.
  bool RefuseSecondCopy();
  // Creates the window and its controls, hidden, and runs the initialise step.
  void Form_Initialize();
  // The rest of the load step: level text, running timers.
  void Form_Load();
  // Shows the window (tray menu "Show").
  void ShowMain();

  HWND Control(ControlId id) const;
  const Navigation& Nav() const { return nav_; }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  void CreateFonts();
  void CreateBrushes();
  HFONT FontFor(const ControlSpec& item) const;
  void OnDpiChanged(int dpi, const RECT& suggested);
  void CreateControls();
  HWND CreateControl(const ControlSpec& item, HWND parent);
  RECT TwipsRect(int x, int y, int w, int h) const;

  void OnPaint();
  void OnCommand(int id, int code);
  void OnMouseDown(HWND source, POINT pt, bool left);
  HBRUSH OnCtlColor(HDC dc, HWND control);
  void OnHScroll(HWND bar, int code, int pos);
  void OnTimer(UINT_PTR id);

  void Image1_Click(int index);
  void ApplyNavigation();
  void DragWindow();
  void Timer6_Timer();

  AppContext& app_;
  Navigation nav_;
  std::map<int, HWND> controls_;
  int dpi_ = 96;

  win32::ScopedGdi<HFONT> fontNormal_, fontBold_, fontTitle_, fontNarrow_, fontMono_, fontHeader_, fontTab_,
      fontTabBold_;
  win32::ScopedGdi<HBRUSH> titleBrush_, navBrush_, tabBrush_, pageBrush_, headerBrush_, badgeBrush_;

  std::unique_ptr<WinTimer> timer6_;
  unsigned level_color_ = 0x00FF00;  // Label28's colour
  WinMessageBoxes boxes_;
  WinEventPump pump_;
  std::unique_ptr<Form1Pages> pages_;
  std::unique_ptr<Form3> about_;
};

// Colours of the skin.
inline constexpr COLORREF kTitleColor = RGB(24, 38, 60);
inline constexpr COLORREF kNavColor = RGB(34, 52, 80);
inline constexpr COLORREF kTabColor = RGB(58, 96, 146);
inline constexpr COLORREF kPageColor = RGB(246, 248, 251);
inline constexpr COLORREF kHeaderColor = RGB(46, 84, 140);
inline constexpr COLORREF kBadgeColor = RGB(40, 40, 40);

// The panel window class: a picture box that forwards its children's
// notifications to the form that owns it.
inline constexpr wchar_t kPanelClass[] = L"VexaPanel";
void RegisterPanelClass();
// Sent by a panel to its form on a mouse press: wParam = panel, lParam =
// point in the panel; the message number tells the button.
inline constexpr UINT kPanelLeftDown = WM_APP + 10;
inline constexpr UINT kPanelRightDown = WM_APP + 11;
// Sent by a panel to its form to paint artwork: wParam = HDC, lParam = panel.
inline constexpr UINT kPanelPaintArt = WM_APP + 12;

}  // namespace vexa::app
