#include "guard/logger_block_page.h"

namespace vexa::guard {

LoggerBlockPage::LoggerBlockPage(ModBlokLogger& engine, LoggerBlockControls controls, ui::MessageBoxes& boxes,
                                 ui::EventPump& pump)
    : ui::PageSink(boxes, pump), engine_(engine), controls_(controls) {}

void LoggerBlockPage::oxbutton1_Click() {
  auto& c = controls_;
  if (c.oxbutton1.Text() == kScan) {
    c.oxbutton1.SetText(kStop);
    c.ucp1.PlayWait();
    c.pb2.SetEnable(true);
    c.timer2.SetEnabled(true);
    c.oxbutton2.SetEnabled(false);
  } else {
    c.oxbutton1.SetText(kScan);
    c.pb2.SetEnable(false);
    c.timer2.SetEnabled(false);
    c.ucp1.StopWait();
  }
}

void LoggerBlockPage::oxbutton2_Click() {
  controls_.listView2.Clear();
  controls_.oxbutton2.SetEnabled(false);
}

void LoggerBlockPage::StopAnimation() {
  controls_.timer2.SetEnabled(false);
  controls_.ucp1.StopWait();
}

void LoggerBlockPage::ScanLoggerTick() {
  const ui::RunMark run(inTick_);
  if (run.Refused()) return;

  auto& c = controls_;
  c.pb.SetValue(c.pb.Value() + 2);
  const int value = c.pb.Value();
  switch (value) {
    case 20: c.listView2.AddRow(L"Scan Now.."); break;
    case 70: c.listView2.AddRow(L"Scan Proccess... "); break;
    case 100: c.listView2.AddRow(L"Scan Proccess Windows...."); break;
    case 150: c.listView2.AddRow(L"Scan C:\\Windows\\System32..... "); break;
    default: break;
  }
  if (value != c.pb.Max()) return;

  for (int i = 0; i < 5; ++i) c.listView2.AddRow(L".");
  c.listView2.AddRow(L"");
  c.listView2.AddRow(L"Finish...");
  engine_.ScanLoggers(*this);
  c.pb.SetValue(0);
  c.timer2.SetEnabled(false);
  c.ucp1.StopWait();
  c.oxbutton2.SetEnabled(true);
  c.oxbutton1.SetText(kScan);
  c.pb2.SetEnable(false);
}

LevelRating RateLevel(int v) {
  constexpr auto rgb = [](unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); };
  if (v < 40) return {L"Bad", rgb(255, 0, 0), true};
  if (v > 80) return {L"OK", rgb(0, 255, 0), true};
  if (v < 80) return {L"Good", rgb(255, 255, 0), true};
  return {};
}

std::wstring LevelText(int value) { return std::to_wstring(value) + L" %"; }

}  // namespace vexa::guard
