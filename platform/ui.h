#pragma once
// The few control operations the timed pages use. The windows implement
// them over real controls; host tests implement them in memory. A page never
// sees a window handle.
#include <cstdint>
#include <string>

namespace vexa::ui {

class Caption {
 public:
  virtual ~Caption() = default;
  virtual void SetText(const std::wstring& text) = 0;
  virtual std::wstring Text() const = 0;
};

class Enableable {
 public:
  virtual ~Enableable() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

// A button or any captioned control that can be switched off.
class Button : public Caption, public Enableable {};

// A window timer; ticks are delivered to the page by its window.
class Timer : public Enableable {
 public:
  virtual void SetInterval(unsigned ms) = 0;
  virtual unsigned Interval() const = 0;
};

// Two-state toggle (mm_checkbox) or check box: value 0 or 1.
class Toggle : public Enableable {
 public:
  virtual int Value() const = 0;
  virtual void SetValue(int value) = 0;
};

// ucFirefoxWait.
class Spinner {
 public:
  virtual ~Spinner() = default;
  virtual void PlayWait() = 0;
  virtual void StopWait() = 0;
  virtual bool IsPlaying() const = 0;
};

// ProgressBarXP: a value above Max reads back as Max.
class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual int Min() const = 0;
  virtual int Max() const = 0;
  virtual int Value() const = 0;
  virtual void SetValue(int value) = 0;
};

// VistaProgress.
class AnimatedBar {
 public:
  virtual ~AnimatedBar() = default;
  virtual void SetEnable(bool on) = 0;
  virtual bool Enable() const = 0;
};

enum class BoxIcon { None, Critical, Exclamation, Information };

// Modal message boxes. Show returns when the user has closed the box; while
// it is open the window's other events (timer ticks, clicks) may run.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(const std::wstring& text, const std::wstring& title, BoxIcon icon) = 0;
};

// Lets pending window events run (ticks, clicks, painting) and returns.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void DoEvents() = 0;
};

// What an engine asks of the page it works for, besides its own results:
// a message box, and a moment for the window's waiting events to run. Each
// engine's sink adds what it reports (rows, counts, status text, answers).
class EngineSink {
 public:
  virtual ~EngineSink() = default;
  // Returns when the user has closed the box.
  virtual void ShowBox(const std::wstring& text, const std::wstring& title, BoxIcon icon) = 0;
  virtual void DoEvents() = 0;
};

// Marks a run in progress for as long as it lasts, where the run lets the
// window's events run: a second run started from those events finds the
// mark and is refused.
class RunMark {
 public:
  explicit RunMark(bool& running) : running_(running), refused_(running) { running_ = true; }
  ~RunMark() {
    if (!refused_) running_ = false;
  }
  RunMark(const RunMark&) = delete;
  RunMark& operator=(const RunMark&) = delete;
  bool Refused() const { return refused_; }

 private:
  bool& running_;
  bool refused_;
};

// A sink's box and yield on a page's message boxes and event pump.
class PageSink : public virtual EngineSink {
 public:
  PageSink(MessageBoxes& boxes, EventPump& pump) : boxes_(boxes), pump_(pump) {}
  void ShowBox(const std::wstring& text, const std::wstring& title, BoxIcon icon) override {
    boxes_.Show(text, title, icon);
  }
  void DoEvents() override { pump_.DoEvents(); }

 private:
  MessageBoxes& boxes_;
  EventPump& pump_;
};

}  // namespace vexa::ui
