#pragma once
// Form2: the splash window. Shown for three seconds at start-up with a
// spinner; afterwards it stays loaded, hidden, as the tray icon's window.
#include <windows.h>

#include "app/app_context.h"
#include "app/form1.h"
#include "app/form4.h"
#include "app/tray/mod_tray.h"
#include "ui/scoped.h"
#include "ui/window.h"

namespace vexa::app {

class Form2 : public ui::Window {
 public:
  Form2(AppContext& app, Form1& form1, Form4& form4);

  // The load step: spinner, single-copy rule, log, rounded region. False
  // when the program must end (another copy runs).
  bool Form_Load();
  // Shows the splash centred and starts its timer.
  void ShowSplash();
  // Loads the main window, hidden (after the splash shows).
  void LoadMainWindow();

  ModTray& Tray() { return tray_; }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseMove(POINT pt, WPARAM keys) override;
  void OnPaint(HDC dc, const RECT& client) override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  bool OnClose() override { return true; }  // only "Exit" ends the program
  void Timer1_Timer();
  void ClipToRoundedRegion();

  AppContext& app_;
  Form1& form1_;
  Form4& form4_;
  ModTray tray_;
  HWND spinner_ = nullptr;  // PB
  HWND label1_ = nullptr, label2_ = nullptr;
  int dpi_ = 96;
  ui::ScopedGdi<HFONT> titleFont_, footerFont_;
  ui::ScopedGdi<HBRUSH> back_;  // the labels' background
  UINT taskbarCreated_ = 0;
  bool splashDone_ = false;
};

inline constexpr COLORREF kSplashColor = RGB(64, 64, 64);
inline constexpr int kSplashWidth = 6180, kSplashHeight = 2100;  // twips

}  // namespace vexa::app
