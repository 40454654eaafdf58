#pragma once
// In-memory controls, message boxes and event pump for page tests.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace vexa::fakes {

struct FakeCaption : ui::Caption {
  explicit FakeCaption(std::wstring text = {}) : text(std::move(text)) {}
  void SetText(const std::wstring& t) override { text = t; }
  std::wstring Text() const override { return text; }
  std::wstring text;
};

struct FakeButton : ui::Button {
  explicit FakeButton(std::wstring caption = {}, bool enabled = true) : caption(std::move(caption)), enabled(enabled) {}
  void SetText(const std::wstring& t) override { caption = t; }
  std::wstring Text() const override { return caption; }
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  std::wstring caption;
  bool enabled;
};

struct FakeTimer : ui::Timer {
  explicit FakeTimer(unsigned interval = 0, bool enabled = false) : interval(interval), enabled(enabled) {}
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  void SetInterval(unsigned ms) override { interval = ms; }
  unsigned Interval() const override { return interval; }
  unsigned interval;
  bool enabled;
};

struct FakeToggle : ui::Toggle {
  explicit FakeToggle(int value = 0) : value(value) {}
  int Value() const override { return value; }
  void SetValue(int v) override { value = v; }
  void SetEnabled(bool e) override { enabled = e; }
  bool Enabled() const override { return enabled; }
  int value;
  bool enabled = true;
};

struct FakeSpinner : ui::Spinner {
  void PlayWait() override { playing = true; }
  void StopWait() override { playing = false; }
  bool IsPlaying() const override { return playing; }
  bool playing = false;
};

// A value above Max reads back as Max, as on the real bar.
struct FakeProgressBar : ui::ProgressBar {
  explicit FakeProgressBar(int max) : max(max) {}
  int Min() const override { return 0; }
  int Max() const override { return max; }
  int Value() const override { return value > max ? max : value; }
  void SetValue(int v) override { value = v; }
  int max, value = 0;
};

struct FakeAnimatedBar : ui::AnimatedBar {
  void SetEnable(bool on) override { enable = on; }
  bool Enable() const override { return enable; }
  bool enable = false;
};

struct FakeMessageBoxes : ui::MessageBoxes {
  struct Box {
    std::wstring text, title;
    ui::BoxIcon icon;
  };
  void Show(const std::wstring& text, const std::wstring& title, ui::BoxIcon icon) override {
    shown.push_back({text, title, icon});
    if (whileOpen) whileOpen();
  }
  std::vector<Box> shown;
  std::function<void()> whileOpen;  // the window's events while the box is open
};

struct FakeEventPump : ui::EventPump {
  void DoEvents() override {
    ++calls;
    if (pending) pending();
  }
  int calls = 0;
  std::function<void()> pending;  // the window's events waiting to run
};

}  // namespace vexa::fakes
