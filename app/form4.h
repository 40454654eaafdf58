#pragma once
// Form4: never shown; holds the tray menu mnuPop ("Show", "Exit").
#include <windows.h>

#include <functional>

#include "ui/scoped.h"
#include "ui/window.h"

namespace vexa::app {

class Form4 : public ui::Window {
 public:
  enum Command : UINT { kMnuShow = 1, kMnuExit = 2 };

  Form4(std::function<void()> onShow, std::function<void()> onExit);

  // Loads the window hidden the first time.
  void Load();
  bool Loaded() const { return hwnd() != nullptr; }

  // Pops up mnuPop at the cursor, owned by `owner`; runs the chosen item.
  void PopupMenu(HWND owner);

  void mnuShow_Click();
  void mnuExit_Click();

 private:
  ui::ScopedMenu mnuPop_;  // "Menu"
  std::function<void()> onShow_, onExit_;
};

}  // namespace vexa::app
