#pragma once
// Adapters that let the URL panel's standard controls stand behind the
// page's ui.h interfaces: Tlong and Tout (EDIT), Option1..Option3 (radio
// BUTTON), and the double-click of Tlong, which an edit control does not
// report to its parent.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/ui.h"

namespace vexa::win32 {

// The text of an edit (or any) control. Line breaks of a multi-line edit
// are CR LF both ways.
class EditText : public ui::Caption {
 public:
  explicit EditText(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void SetText(const std::wstring& text) override;
  std::wstring Text() const override;

 private:
  HWND hwnd_;
};

// A radio button: value 1 when selected.
class OptionButton : public ui::Toggle {
 public:
  explicit OptionButton(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  int Value() const override;
  void SetValue(int value) override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;

 private:
  HWND hwnd_;
};

// Calls onDoubleClick after the control has handled a left double-click.
// Removed when the hook is destroyed (or with the control).
class DoubleClickHook {
 public:
  DoubleClickHook(HWND control, std::function<void()> onDoubleClick);
  ~DoubleClickHook();
  DoubleClickHook(const DoubleClickHook&) = delete;
  DoubleClickHook& operator=(const DoubleClickHook&) = delete;

  bool Attached() const { return attached_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  HWND control_;
  std::function<void()> onDoubleClick_;
  bool attached_ = false;
};

}  // namespace vexa::win32
