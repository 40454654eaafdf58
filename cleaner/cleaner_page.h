#pragma once
// The Cleaner page: the junk scan started by "Scan" and run on Timer1's
// tick, the list watch on Timer3, "Sellect All" and "Clean All", and the
// category toggles of the Option page. The page owns the rows of ListView1;
// the list control reads them through ListView1().
#include "cleaner/junk_list.h"
#include "cleaner/mod_engine.h"
#include "cleaner/module1.h"
#include "log/activity_log.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/ui.h"

namespace vexa::cleaner {

// The controls of Form1 the page uses, by their design names.
struct CleanerControls {
  ui::Caption& Label3;   // status line, "Welcome... (Click Scan For Scan)"
  ui::Caption& Label12;  // "Total Files Found : 0"
  ui::Caption& Label5;   // Recent Files count
  ui::Caption& Label7;   // Junk Files count
  ui::Caption& Label9;   // Temp Files count
  ui::Caption& Label11;  // Cookies count
  ui::Spinner& UCP;
  ui::Timer& Timer1;     // 2000 ms, disabled at start
  ui::Timer& Timer3;     // 1000 ms, enabled at start
  ui::Button& Command2;  // "Clean All"
  ui::Toggle& Check1;    // "Sellect All"
  ui::Toggle& ck1;       // "Clean Temp File"
  ui::Toggle& ck2;       // "Clean Cookies"
  ui::Toggle& ck3;       // "Clean Recent File"
};

// What the page needs besides the controls.
struct CleanerServices {
  FileSystem& files;
  const Environment& environment;
  ActivityLog& log;
  const Clock& clock;
  ui::MessageBoxes& boxes;
  ui::EventPump& pump;
};

class CleanerPage : private ui::PageSink, private ScanSink {
 public:
  CleanerPage(const CleanerControls& controls, const CleanerServices& services);
  CleanerPage(const CleanerPage&) = delete;
  CleanerPage& operator=(const CleanerPage&) = delete;

  // Form1's load step: the category flags take the toggles' values.
  void TakeFlagsFromToggles();

  // "Scan" and "Clean All" do nothing while Clean All runs (it lets the
  // window's events run), and a scan waits for it to end.
  void Command1_Click();  // "Scan": spinner on, Timer1 on
  void Timer1_Timer();    // one scan pass
  void Command2_Click();  // "Clean All"
  void Check1_Click();    // "Sellect All" ticks or unticks every row
  void Timer3_Timer();    // the removal controls follow the list
  void ck1_Click();
  void ck2_Click();
  void ck3_Click();

  JunkList& ListView1() { return rows_; }
  const JunkList& ListView1() const { return rows_; }
  ModEngine& Engine() { return engine_; }
  Module1& Removal() { return removal_; }

 private:
  void Status(const std::wstring& text) override { c_.Label3.SetText(text); }
  void Counted(JunkCategory category, std::int64_t count) override;

  CleanerControls c_;
  JunkList rows_;
  ModEngine engine_;
  Module1 removal_;
};

}  // namespace vexa::cleaner
