#pragma once
// The process guard's panels of the main window: the logger blocker (with
// the logger-block level on the Option page), the process viewer and the
// keyword blocker with its alert window.
#include "guard/keyword_watch_page.h"
#include "guard/logger_block_page.h"
#include "guard/mod_blok_logger.h"
#include "guard/win32/alert_window.h"
#include "guard/win32/page_controls.h"
#include "guard/window_list_page.h"
#include "log/activity_log.h"
#include "platform/shell.h"
#include "ui/adapters.h"
#include "ui/layout.h"

namespace vexa::guard {

// Control ids, by design name.
enum GuardControl : int {
  PB = 106,
  Label23 = 601, oxbutton1, oxbutton2, oxbutton3, oxbutton7, ListView2, UCP1, PB2,
  List1 = 701, chk1, chk2, cmdRefresh, cmdEndTsk, oxbutton9,
  Label49 = 1001, List2, Text2, Command3, Command4, Label50, Text3, ckWatch, Label51, oxbutton18,
  Label27 = 1112, BLog, Text1, Label28,
};
enum GuardTimer : UINT_PTR { Timer2 = 2, Timer6 = 6, Timer8 = 8 };

class LoggerPanel : public ui::Panel {
 public:
  LoggerPanel(ProcessTable& processes, const FileSystem& files, ActivityLog& log, Shell& shell,
              ui::MessageBoxes& boxes, ui::EventPump& pump);

  void Create(ui::Layout& layout, const ui::Site& site) override;
  void Load() override;
  bool OnCommand(int id, int code) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnHScroll(HWND bar, int code, int pos) override;
  std::optional<COLORREF> TextColor(int id) const override;

 private:
  void Timer6_Timer();

  ActivityLog& log_;
  Shell& shell_;
  ui::WinButton oxbutton1_, oxbutton2_;
  ListViewRows listView2_;
  ui::WinProgressBar PB_;
  ui::WinAnimatedBar PB2_;
  ui::WinSpinner UCP1_;
  ui::WinTimer Timer2_{Timer2, 100}, Timer6_{Timer6, 100};
  ScrollBarLevel blog_;
  ui::WinCaption Text1_, Label28_;
  COLORREF levelColor_ = RGB(0, 255, 0);  // Label28's colour
  ModBlokLogger blok_;
  LoggerBlockPage page_;
  std::function<void()> back_;
};

class WindowListPanel : public ui::Panel {
 public:
  WindowListPanel(Desktop& desktop, ui::EventPump& pump);

  void Create(ui::Layout& layout, const ui::Site& site) override;
  bool OnCommand(int id, int code) override;

  // The process viewer opens with a fresh list.
  void Refresh() { page_.cmdRefresh_Click(); }

 private:
  ListBoxLines list1_;
  ui::WinToggle chk1_, chk2_;
  WindowListPage page_;
  std::function<void()> back_;
};

class KeywordPanel : public ui::Panel {
 public:
  KeywordPanel(const Desktop& desktop, ui::MessageBoxes& boxes);

  void Create(ui::Layout& layout, const ui::Site& site) override;
  void Load() override;
  bool OnCommand(int id, int code) override;
  bool OnTimer(UINT_PTR id) override;

 private:
  ListBoxStrings list2_;
  ui::WinCaption Text2_, Text3_;
  ui::WinToggle ckWatch_;
  ui::WinTimer Timer8_{Timer8, 1000};
  AlertWindow form5_;
  KeywordWatchPage page_;
  std::function<void()> back_;
};

}  // namespace vexa::guard
