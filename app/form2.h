#pragma once
// Form2: the splash window. Shown for three seconds at start-up with a
// spinner; afterwards it stays loaded, hidden, as the tray icon's window.
#include <windows.h>

#include <functional>

#include "app/app_context.h"
#include "app/form1.h"
#include "app/form4.h"
#include "app/tray/mod_tray.h"
#include "app/win/window.h"
#include "platform/win32/handles.h"

namespace vexa::app {

class Form2 : public Window {
 public:
  Form2(AppContext& app, Form1& form1, Form4& form4);
  ~Form2() override;

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
  void Timer1_Timer();
  void Form_MouseMove(LPARAM lp);
  void ClipToRoundedRegion();
  void Paint();

  AppContext& app_;
  Form1& form1_;
  Form4& form4_;
  ModTray tray_;
  HWND spinner_ = nullptr;  // PB
  HWND label1_ = nullptr, label2_ = nullptr;
  win32::ScopedGdi<HFONT> titleFont_, footerFont_;
  win32::ScopedGdi<HBRUSH> back_;
  UINT taskbarCreated_ = 0;
  bool splashDone_ = false;
};

inline constexpr COLORREF kSplashColor = RGB(64, 64, 64);
inline constexpr int kSplashWidth = 6180, kSplashHeight = 2100;  // twips

}  // namespace vexa::app
