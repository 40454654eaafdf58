#pragma once
// The pages' control interfaces (platform/ui.h) over real windows. A panel
// holds the adapters as members, hands them to its page, and attaches each
// to its window once the window exists.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/ui.h"

namespace vexa::ui {

// A window of any kind, attached after construction.
class Attached {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND hwnd() const { return hwnd_; }

 protected:
  HWND hwnd_ = nullptr;
};

// A label or a text box: the window text (CR LF line ends in a multi-line box).
class WinCaption : public Caption, public Attached {
 public:
  void SetText(const std::wstring& text) override;
  std::wstring Text() const override;
};

class WinButton : public Button, public Attached {
 public:
  void SetText(const std::wstring& text) override;
  std::wstring Text() const override;
  void SetEnabled(bool on) override;
  bool Enabled() const override;
};

// A timer of an owner window, by id.
class WinTimer : public Timer {
 public:
  WinTimer(UINT_PTR id, unsigned interval) : id_(id), interval_(interval) {}
  void Attach(HWND owner) { owner_ = owner; }
  UINT_PTR Id() const { return id_; }
  void SetEnabled(bool on) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(unsigned ms) override;
  unsigned Interval() const override { return interval_; }

 private:
  HWND owner_ = nullptr;
  UINT_PTR id_;
  unsigned interval_;
  bool enabled_ = false;
};

// mm_checkbox, a check box or an option button (value 1 when set).
class WinToggle : public Toggle, public Attached {
 public:
  int Value() const override;
  void SetValue(int value) override;
  void SetEnabled(bool on) override;
  bool Enabled() const override;
};

// ucFirefoxWait.
class WinSpinner : public Spinner, public Attached {
 public:
  void PlayWait() override;
  void StopWait() override;
  bool IsPlaying() const override;
};

// ProgressBarXP or a stock progress bar.
class WinProgressBar : public ProgressBar, public Attached {
 public:
  int Min() const override;
  int Max() const override;
  int Value() const override;
  void SetValue(int value) override;
};

// VistaProgress.
class WinAnimatedBar : public AnimatedBar, public Attached {
 public:
  void SetEnable(bool on) override;
  bool Enable() const override;
};

// Message boxes owned by a window while it shows (a hidden owner would hide
// the box too).
class WinMessageBoxes : public MessageBoxes, public Attached {
 public:
  void Show(const std::wstring& text, const std::wstring& title, BoxIcon icon) override;
};

// Runs the window events that are waiting, a bounded number at a time.
class WinEventPump : public EventPump {
 public:
  void DoEvents() override;
};

// Calls onDoubleClick after the control has handled a left double-click (an
// edit control does not tell its parent). Removed with the hook or with the
// control.
class DoubleClickHook {
 public:
  explicit DoubleClickHook(std::function<void()> onDoubleClick) : onDoubleClick_(std::move(onDoubleClick)) {}
  ~DoubleClickHook();
  DoubleClickHook(const DoubleClickHook&) = delete;
  DoubleClickHook& operator=(const DoubleClickHook&) = delete;

  bool Attach(HWND control);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  HWND control_ = nullptr;
  std::function<void()> onDoubleClick_;
};

}  // namespace vexa::ui
