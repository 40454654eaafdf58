#pragma once
// Form5, the keyword alert: a small topmost window titled "Message" with the
// warning text and an "OK" button that unloads it. Loaded on first Show,
// loaded again after OK.
#include <windows.h>

#include <string>

#include "guard/keyword_watch_page.h"
#include "platform/win32/handles.h"

namespace vexa::guard::win32 {

// SetWindowPos to HWND_TOPMOST (on) or HWND_NOTOPMOST (off), keeping the
// position and size.
void MakeTopmost(HWND window, bool onTop);

class AlertWindow : public TitleAlert {
 public:
  // `iconSource`: the main window, whose icon the alert takes when it loads.
  explicit AlertWindow(HWND iconSource = nullptr);
  ~AlertWindow() override;
  AlertWindow(const AlertWindow&) = delete;
  AlertWindow& operator=(const AlertWindow&) = delete;

  void SetIconSource(HWND iconSource) { iconSource_ = iconSource; }

  // Loads the window when needed (topmost, centred on the screen), puts the
  // text in Label1 and shows it without waiting.
  void Show(const std::wstring& message) override;

  // "OK": closes and unloads the window.
  void Command1_Click();

  HWND Handle() const { return hwnd_; }  // nullptr while unloaded
  HWND Label1() const { return label_; }
  HWND Command1() const { return ok_; }

  static constexpr wchar_t kClassName[] = L"VexaMessageWindow";
  static constexpr int kOkId = IDOK;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Form_Load();
  void Layout();

  HWND iconSource_;
  HWND hwnd_ = nullptr;
  HWND label_ = nullptr;
  HWND ok_ = nullptr;
  ::vexa::win32::ScopedGdi<HFONT> font_;
};

}  // namespace vexa::guard::win32
