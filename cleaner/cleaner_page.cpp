#include "cleaner/cleaner_page.h"

#include <string>

namespace vexa::cleaner {

namespace {

constexpr std::size_t kRiskAbove = 50;

// The toggle's value decides the flag; the toggle is set back to 0 or 1.
void FollowToggle(ui::Toggle& toggle, bool& flag) {
  flag = toggle.Value() == 1;
  toggle.SetValue(flag ? 1 : 0);
}

}  // namespace

CleanerPage::CleanerPage(const CleanerControls& controls, const CleanerServices& s)
    : ui::PageSink(s.boxes, s.pump),
      c_(controls),
      engine_(s.files, s.environment, s.log, rows_, *this),
      removal_(s.files, rows_, s.clock) {}

void CleanerPage::TakeFlagsFromToggles() {
  engine_.CleanTemp = c_.ck1.Value() == 1;
  engine_.CleanCookies = c_.ck2.Value() == 1;
  engine_.CleanRecent = c_.ck3.Value() == 1;
}

void CleanerPage::Command1_Click() {
  if (removal_.Busy()) return;
  c_.UCP.PlayWait();
  c_.Timer1.SetEnabled(true);
}

void CleanerPage::Timer1_Timer() {
  if (removal_.Busy()) return;  // the next tick scans
  c_.UCP.StopWait();
  c_.Timer1.SetEnabled(false);  // one pass per start
  rows_.Clear();
  rows_.NotifyChanged();
  engine_.ResetCounts();

  engine_.ScanPrefetch();
  engine_.ScanCookies();
  engine_.ScanRecent();
  engine_.ScanUserTemp();
  engine_.ScanWindowsTemp();

  c_.Label12.SetText(L"Total Files Found : " + std::to_wstring(rows_.Count()));
  c_.Label3.SetText(L"Searching Completed..");
  c_.UCP.StopWait();
  if (rows_.Count() > kRiskAbove) ShowBox(L"Your PC At Risk", L"Risk", ui::BoxIcon::Exclamation);
}

void CleanerPage::Counted(JunkCategory category, std::int64_t count) {
  ui::Caption* label = &c_.Label9;
  switch (category) {
    case JunkCategory::Temp: label = &c_.Label9; break;
    case JunkCategory::Cookies: label = &c_.Label11; break;
    case JunkCategory::Junk: label = &c_.Label7; break;
    case JunkCategory::Recent: label = &c_.Label5; break;
  }
  label->SetText(std::to_wstring(count));
}

void CleanerPage::Command2_Click() { removal_.RemoveCheckedJunk(*this); }

void CleanerPage::Check1_Click() {
  rows_.SetAllTicked(c_.Check1.Value() == 1);
  rows_.NotifyChanged();
}

void CleanerPage::Timer3_Timer() {
  if (rows_.Empty()) {
    c_.Check1.SetValue(0);
    c_.Check1.SetEnabled(false);
    c_.Command2.SetEnabled(false);
  } else {
    c_.Command2.SetEnabled(true);
    c_.Check1.SetEnabled(true);
  }
}

void CleanerPage::ck1_Click() { FollowToggle(c_.ck1, engine_.CleanTemp); }
void CleanerPage::ck2_Click() { FollowToggle(c_.ck2, engine_.CleanCookies); }
void CleanerPage::ck3_Click() { FollowToggle(c_.ck3, engine_.CleanRecent); }

}  // namespace vexa::cleaner
