#pragma once
// Form4: never shown; holds the tray menu mnuPop ("Show", "Exit").
#include <windows.h>

#include <functional>

#include "app/win/window.h"

namespace vexa::app {

class Form4 : public Window {
 public:
  enum Command : UINT { kMnuShow = 1, kMnuExit = 2 };

  Form4(std::function<void()> onShow, std::function<void()> onExit);
  ~Form4() override;

  // Loads the window hidden the first time.
  void Load();
  bool Loaded() const { return hwnd() != nullptr; }

  // Pops up mnuPop at the cursor, owned by `owner`; runs the chosen item.
  void PopupMenu(HWND owner);

  void mnuShow_Click();
  void mnuExit_Click();

 private:
  HMENU mnuPop_ = nullptr;  // "Menu"
  std::function<void()> onShow_, onExit_;
};

}  // namespace vexa::app
