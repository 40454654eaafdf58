#pragma once
// The pages' control interfaces over real windows.
#include <windows.h>

#include <string>

#include "platform/ui.h"

namespace vexa::app {

std::wstring WindowTextOf(HWND hwnd);

class WinCaption : public ui::Caption {
 public:
  explicit WinCaption(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void SetText(const std::wstring& text) override;
  std::wstring Text() const override { return WindowTextOf(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 protected:
  HWND hwnd_;
};

class WinButton : public ui::Button {
 public:
  explicit WinButton(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void SetText(const std::wstring& text) override { SetWindowTextW(hwnd_, text.c_str()); }
  std::wstring Text() const override { return WindowTextOf(hwnd_); }
  void SetEnabled(bool on) override { EnableWindow(hwnd_, on); }
  bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }

 private:
  HWND hwnd_;
};

// A window timer of an owner window.
class WinTimer : public ui::Timer {
 public:
  WinTimer(HWND owner, UINT_PTR id, unsigned interval) : owner_(owner), id_(id), interval_(interval) {}
  void SetEnabled(bool on) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(unsigned ms) override;
  unsigned Interval() const override { return interval_; }

 private:
  HWND owner_;
  UINT_PTR id_;
  unsigned interval_;
  bool enabled_ = false;
};

// mm_checkbox or a stock check box / option button.
class WinToggle : public ui::Toggle {
 public:
  explicit WinToggle(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  int Value() const override { return static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)); }
  void SetValue(int v) override { SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(v), 0); }
  void SetEnabled(bool on) override { EnableWindow(hwnd_, on); }
  bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }

 private:
  HWND hwnd_;
};

class WinSpinner : public ui::Spinner {
 public:
  explicit WinSpinner(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void PlayWait() override;
  void StopWait() override;
  bool IsPlaying() const override;

 private:
  HWND hwnd_;
};

class WinProgressBar : public ui::ProgressBar {
 public:
  explicit WinProgressBar(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  int Min() const override;
  int Max() const override;
  int Value() const override;
  void SetValue(int v) override;

 private:
  HWND hwnd_;
};

class WinAnimatedBar : public ui::AnimatedBar {
 public:
  explicit WinAnimatedBar(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void SetEnable(bool on) override;
  bool Enable() const override;

 private:
  HWND hwnd_;
};

class WinMessageBoxes : public ui::MessageBoxes {
 public:
  explicit WinMessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(const std::wstring& text, const std::wstring& title, ui::BoxIcon icon) override;

 private:
  HWND owner_;
};

class WinEventPump : public ui::EventPump {
 public:
  void DoEvents() override;
};

}  // namespace vexa::app
