#pragma once
// Form3, the About window: product name, version, publisher and web site, and
// on request a panel with the versions of the program's parts. "X" closes it;
// the next "About" builds it afresh.
#include <windows.h>

#include "platform/shell.h"
#include "ui/scoped.h"
#include "ui/window.h"

namespace vexa::app {

class Form3 : public ui::Window {
 public:
  enum ControlId : int {
    Label1 = 10, Label2, Label3, Label4, Label7, Label8, Label9, Label10, Label15, Label11,
    Picture1, List1, oxbutton1, oxbutton2, oxbutton3,
  };

  Form3(Shell& shell, HICON icon);

  // Shows the window, loading it first when it is not loaded.
  void ShowAbout();
  bool Loaded() const { return hwnd() != nullptr; }

  static constexpr wchar_t kWebAddress[] = L"https://vexatools.example";

 private:
  void OnPaint(HDC dc, const RECT& client) override;
  bool OnCommand(int id, int code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  bool OnSetCursor(HWND over) override;
  bool OnClose() override;
  void Form_Load();
  void Underline(HWND link);  // null: no link underlined
  HWND Item(int id) const { return GetDlgItem(id == List1 ? GetDlgItem(hwnd(), Picture1) : hwnd(), id); }

  Shell& shell_;
  HICON icon_;
  int dpi_ = 96;
  ui::ScopedGdi<HFONT> font_, title_, link_, linkUnderlined_, narrow_;
  ui::ScopedGdi<HBRUSH> white_;  // the labels' background
  HWND underlined_ = nullptr;
};

}  // namespace vexa::app
