#pragma once
// Form5, the keyword alert: a small topmost window titled "Message" with the
// warning text and an "OK" button that unloads it. Loaded on first Show,
// loaded again after OK.
#include <windows.h>

#include <string>

#include "guard/keyword_watch_page.h"
#include "ui/scoped.h"
#include "ui/window.h"

namespace vexa::guard {

class AlertWindow : public TitleAlert, public ui::Window {
 public:
  // `iconSource`: the main window, whose icon the alert takes when it loads.
  explicit AlertWindow(HWND iconSource = nullptr) : iconSource_(iconSource) {}

  void SetIconSource(HWND iconSource) { iconSource_ = iconSource; }

  // Loads the window when needed (topmost, centred on the screen), puts the
  // text in Label1 and shows it without waiting. A window already on view
  // comes to the top without taking the keyboard focus again.
  void Show(const std::wstring& message) override;

  // "OK": closes and unloads the window.
  void Command1_Click();

  HWND Handle() const { return hwnd(); }  // nullptr while unloaded
  HWND Label1() const { return label_; }
  HWND Command1() const { return ok_; }

  static constexpr wchar_t kClassName[] = L"VexaMessageWindow";
  static constexpr int kOkId = IDOK;

 private:
  void OnCreate() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnSize(int width, int height) override;
  void OnDestroy() override;

  HWND iconSource_;
  HWND label_ = nullptr;
  HWND ok_ = nullptr;
  int dpi_ = 96;
  ui::ScopedGdi<HFONT> font_;
};

}  // namespace vexa::guard
