#pragma once
// The Logger Block panel: "Scan"/"Stop", the staged run driven by Timer2 and
// "Clear List". The window forwards clicks and ticks; the page drives the
// controls through the small interfaces below.
#include <string>

#include "guard/mod_blok_logger.h"
#include "platform/ui.h"

namespace vexa::guard {

// ListView2: rows carry a text only and are added at the end.
class RowList {
 public:
  virtual ~RowList() = default;
  virtual void AddRow(const std::wstring& text) = 0;
  virtual void Clear() = 0;
};

// BLog, the logger-block level on the Option page.
class LevelSource {
 public:
  virtual ~LevelSource() = default;
  virtual int Value() const = 0;
};

struct LoggerBlockControls {
  ui::Button& oxbutton1;     // "Scan" / "Stop"
  ui::Button& oxbutton2;     // "Clear List"
  RowList& listView2;        // result rows
  ui::ProgressBar& pb;       // the run's counter, Min 0, Max 200
  ui::AnimatedBar& pb2;      // runs while scanning
  ui::Spinner& ucp1;         // turns while scanning
  ui::Timer& timer2;         // 100 ms
  const LevelSource& blog;   // read for each process
};

// The rating of the logger-block level, kept in step by Timer6.
struct LevelRating {
  std::wstring caption;  // "Bad", "Good", "OK"
  unsigned color = 0;    // 0x00BBGGRR
  bool changes = false;  // false at exactly 80: caption and colour stay
};
LevelRating RateLevel(int value);
std::wstring LevelText(int value);  // "80 %"

class LoggerBlockPage : private ui::PageSink, private LoggerScanSink {
 public:
  LoggerBlockPage(ModBlokLogger& engine, LoggerBlockControls controls, ui::MessageBoxes& boxes, ui::EventPump& pump);

  // "Scan" starts (or resumes) the staged run; "Stop" pauses it.
  void oxbutton1_Click();
  // "Clear List".
  void oxbutton2_Click();
  // Timer2's tick; the work is ScanLoggerTick.
  void Timer2_Timer() { ScanLoggerTick(); }

  // One step of the staged run: +2 on the counter, the phase rows, and on
  // the last step the pass itself. A tick that arrives while an earlier one
  // is still inside its pass (a box is open, events are pumped) does nothing.
  void ScanLoggerTick();

  bool Scanning() const { return controls_.oxbutton1.Text() == kStop; }

  static constexpr wchar_t kScan[] = L"Scan";
  static constexpr wchar_t kStop[] = L"Stop";

 private:
  int Level() const override { return controls_.blog.Value(); }
  void AddRow(const std::wstring& text) override { controls_.listView2.AddRow(text); }
  void StopAnimation() override;

  ModBlokLogger& engine_;
  LoggerBlockControls controls_;
  bool inTick_ = false;
};

}  // namespace vexa::guard
