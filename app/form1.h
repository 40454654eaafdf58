#pragma once
// Form1, the main window: borderless and skinned, with a title strip, a
// navigation column of four tabs and a page area where one page panel is on
// view at a time. Loaded hidden at start-up; shown from the tray menu. The
// window keeps the frame and the navigation; each feature's controls and
// handlers are its panel's.
#include <windows.h>

#include <array>
#include <memory>
#include <set>

#include "app/app_context.h"
#include "app/form1_layout.h"
#include "app/form3.h"
#include "app/model/navigation.h"
#include "cleaner/win32/cleaner_panel.h"
#include "guard/win32/guard_panels.h"
#include "registry/win32/registry_panel.h"
#include "shortener/win32/url_panel.h"
#include "ui/adapters.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace vexa::app {

class Form1 : public ui::Window {
 public:
  explicit Form1(AppContext& app);

  // The single-copy rule: when another copy runs, shows "Aplication Is
  // Runing..." and returns true; the caller then ends the program.
  bool RefuseSecondCopy();
  // Creates the window and its controls, hidden, and runs the initialise step.
  void Form_Initialize();
  // The rest of the load step: the panels' load steps, running timers.
  void Form_Load();
  // Shows the window (tray menu "Show").
  void ShowMain();

  HWND Control(int id) const { return layout_.Control(id); }
  const Navigation& Nav() const { return nav_; }

 private:
  void OnPaint(HDC dc, const RECT& client) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header, LRESULT& result) override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseDown(POINT pt, bool left) override;
  void OnHScroll(HWND bar, int code, int pos) override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  bool OnSetCursor(HWND over) override;
  bool OnClose() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  void OnPanelMouseDown(HWND panel, POINT pt, bool left);
  void PaintPanelArt(HDC dc, HWND panel);
  void Image1_Click(int index);
  void Navigate(void (Navigation::*step)());
  void ApplyNavigation();
  void KeepKeyboardOnView();
  Panel NearestPanel(HWND control) const;
  void DragWindow();
  RECT Twips(int x, int y, int w, int h) const { return layout_.Rect(x, y, w, h); }

  AppContext& app_;
  Navigation nav_;
  std::set<HWND> asideTabStops_;  // tab stops of panels not on view, taken out
  ui::Layout layout_;
  ui::WinMessageBoxes boxes_;
  ui::WinEventPump pump_;
  cleaner::CleanerPanel cleaner_;
  registry::RegistryPanel registry_;
  guard::LoggerPanel logger_;
  guard::WindowListPanel windows_;
  guard::KeywordPanel keywords_;
  shortener::UrlPanel url_;
  const std::array<ui::Panel*, 6> panels_{&cleaner_, &registry_, &logger_, &windows_, &keywords_, &url_};
  std::unique_ptr<Form3> about_;
};

}  // namespace vexa::app
