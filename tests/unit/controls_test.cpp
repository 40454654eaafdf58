// The skinned controls' portable halves: value mapping, buffer rule, bar
// geometry, the busy bar's frames, the switch's mouse and events, the
// spinner's frames, loading their persisted values, and the rasteriser that
// draws their pictures and the windows' artwork.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/ProgressBarXP/ProgressBarXP.h"
#include "controls/VistaProgress/VistaProgress.h"
#include "controls/mm_checkbox/mm_checkbox.h"
#include "controls/paint/raster.h"
#include "controls/ucFirefoxWait/ucFirefoxWait.h"

namespace vexa::controls {
namespace {

struct FakeTimer : ui::Timer {
  void SetEnabled(bool on) override { enabled = on; }
  bool Enabled() const override { return enabled; }
  void SetInterval(unsigned ms) override { interval = ms; }
  unsigned Interval() const override { return interval; }
  bool enabled = false;
  unsigned interval = 0;
};

TEST(ProgressBarXP, ValueMapsToAPercentRoundedHalfToEvenAndReadsBackAtMostMax) {
  struct Row { int min, max, value, percent, readBack; } rows[] = {
      {0, 200, 100, 50, 100}, {0, 200, 202, 100, 200}, {0, 200, 500, 100, 200}, {0, 100, 45, 45, 45},
      {0, 200, 1, 0, 0},      {0, 200, 3, 2, 4},       {0, 200, 5, 2, 4},       {0, 200, -10, -5, -10},
      {10, 110, 60, 50, 60},  {0, 0, 5, 0, 0},  // an empty range shows an empty bar
      {0, 1, 21474837, 100, 1}, {0, 1, -21474837, -100, -1},  // no wrap over a small range
  };
  for (const Row& r : rows) {
    int repaints = 0;
    ProgressBarXP bar({}, [&] { ++repaints; });
    bar.SetMax(r.max);
    bar.SetMin(r.min);
    EXPECT_EQ(repaints, 0) << "Min and Max only store";
    bar.SetValue(r.value);
    EXPECT_EQ(bar.Percent(), r.percent) << r.value << " of " << r.max;
    EXPECT_EQ(bar.Value(), r.readBack) << r.value << " of " << r.max;
    EXPECT_EQ(repaints, 1);
  }
}

TEST(ProgressBarXP, OffscreenBufferIsRebuiltOnlyWhenTheControlOutgrowsIt) {
  struct Step { int w, h; bool build; Size kept; } steps[] = {
      {0, 20, false, {0, 0}},    {100, 20, true, {100, 20}}, {80, 20, false, {100, 20}},
      {100, 20, false, {100, 20}}, {120, 10, true, {120, 10}}, {110, 15, true, {110, 15}},
  };
  OffscreenBuffer buffer;
  for (const Step& s : steps) {
    EXPECT_EQ(buffer.Resize(s.w, s.h), s.build) << s.w << "x" << s.h;
    EXPECT_EQ(buffer.Dimensions(), s.kept);
  }
}

TEST(ProgressBarXP, GeometryAndTextOfARepaint) {
  const Rect wide{0, 0, 200, 22};
  EXPECT_EQ(Lighten(0x404040, 100), 0x8A8A8Au);
  EXPECT_EQ(Lighten(0x404040, 180), 0xC6C6C6u);
  EXPECT_EQ(Lighten(0xFFFFFF, 30), 0xFFFFFFu);
  struct Solid { int percent; Rect bar; } solids[] = {
      {0, {1, 1, 0, 21}}, {50, {1, 1, 100, 21}}, {100, {1, 1, 200, 21}}};
  for (const Solid& s : solids) EXPECT_EQ(xp::SolidBar(wide, s.percent, 1), s.bar) << s.percent;

  // Mode 0 steps by 8 pixels and mode 1 by 4, from 3 pixels in; the bar
  // never runs into the frame on the right, and a vertical one grows upward.
  struct Seg { Rect client; int percent, mode, orientation; Rect bar; } segs[] = {
      {wide, 49, 0, 0, {3, 0, 99, 22}},   {wide, 100, 0, 0, {3, 0, 195, 22}}, {wide, -4, 0, 0, {3, 0, 3, 22}},
      {wide, 50, 1, 0, {3, 0, 103, 22}},  {{0, 0, 20, 100}, 49, 1, 1, {3, 52, 20, 100}},
  };
  for (const Seg& s : segs) EXPECT_EQ(xp::SegmentedBar(s.client, s.percent, s.mode, s.orientation, 96).bar, s.bar);
  EXPECT_EQ(xp::SegmentedBar(wide, 50, 0, 0, 192).block, 12) << "twice the pixels at 200 %";

  EXPECT_EQ(xp::Text(2, 45), L"Searching..");
  EXPECT_EQ(xp::Text(3, 45), L"45 %");
  EXPECT_EQ(xp::CentredText(wide, 31, 13), (Rect{84, 4, 115, 17}));
  const Rect text{84, 4, 115, 17};
  struct Plan { int mode; bool show; int percent; bool plain, two; } plans[] = {
      {6, false, 90, false, false}, {3, true, 90, true, false}, {6, true, 40, true, true},
      {9, true, 57, true, true},    {9, true, 58, false, true},  // the bar ends at 116, past the text's 115
  };
  for (const Plan& p : plans) {
    const xp::TextPasses t = xp::PlanText(p.mode, p.show, p.percent, wide, text);
    EXPECT_EQ(t.plain, p.plain) << p.mode << " at " << p.percent;
    EXPECT_EQ(t.twoColour, p.two) << p.mode << " at " << p.percent;
  }
}

TEST(VistaProgress, GlintSweepsByTwentyPausesAfterTheRightEdgeAndResumesWhereItStopped) {
  FakeTimer timer;
  VistaProgress bar(timer);
  EXPECT_TRUE(timer.enabled);
  EXPECT_EQ(bar.Resize(100, 900), (Size{650, 255})) << "narrower than 650 twips and any height";
  bar.Resize(1000, 255);
  bar.Tick();
  EXPECT_FALSE(timer.enabled) << "the first tick of a disabled bar stops its timer";
  EXPECT_FALSE(bar.Shown().composed);

  bar.SetEnable(true);
  EXPECT_TRUE(timer.enabled);
  std::vector<int> drawn;
  int ticks = 0;
  while (timer.interval != VistaProgress::kSweepPauseMs && ticks < 1000) {
    bar.Tick();
    drawn.push_back(bar.Shown().glintLeft);
    ++ticks;
  }
  EXPECT_EQ(ticks, 151) << "from -2000 to past 1000 twips";
  EXPECT_EQ(drawn.front(), -2000);
  EXPECT_EQ(drawn[1], -1980);
  EXPECT_EQ(drawn.back(), 1000);
  EXPECT_EQ(bar.GlintLeft(), -1800);
  EXPECT_FALSE(bar.Pieces().trackRightShown);
  bar.Tick();
  EXPECT_EQ(bar.Shown().glintLeft, -1800);
  EXPECT_EQ(timer.interval, VistaProgress::kFrameMs);
  EXPECT_EQ(bar.Shown().bodyWidth, 1000 - (500 + 50));

  bar.Tick();
  bar.SetPause(true);
  EXPECT_EQ(bar.state(), VistaProgress::State::Paused);
  EXPECT_FALSE(timer.enabled);
  bar.SetPause(false);
  bar.Tick();
  EXPECT_EQ(bar.Shown().glintLeft, -1760) << "resumes from the last position";

  bar.SetEnable(false);
  EXPECT_EQ(bar.state(), VistaProgress::State::Off);
  EXPECT_FALSE(bar.Shown().glint);
  EXPECT_TRUE(timer.enabled) << "stopped by the next tick";
  bar.Tick();
  EXPECT_FALSE(timer.enabled);
  EXPECT_TRUE(bar.Pieces().trackRightShown);
  bar.SetEnable(true);
  bar.Tick();
  EXPECT_EQ(bar.Shown().glintLeft, -2000) << "enabling restarts the sweep";
}

struct RecordingHost : CheckboxHost {
  void Raise(const CheckboxEvent& e) override { events.push_back(e.number); }
  void Resize(Size px) override { size = px; }
  void ApplyRegion(Size, int ellipse) override { region = ellipse; }
  void EnableWindow(bool on) override { windowEnabled = on; }
  void Capture(bool on) override { captured = on; }
  void Repaint() override {}
  std::vector<int> events;
  Size size;
  int region = -1;
  bool windowEnabled = true, captured = false;
};

TEST(mm_checkbox, MouseAndKeysFlipTheValueAndRaiseTheirEvents) {
  // Steps: D/U/M = mouse down, up, move (button, x, y); C = click; K = Space.
  struct Step { char what; int button = 0, x = 5, y = 5; };
  struct Row { const char* name; int start; bool enabled; std::vector<Step> steps; int value; std::vector<int> events; };
  const Row rows[] = {
      {"left click", 0, true, {{'D', 1}, {'U', 1}, {'C'}}, 1, {6, 8, 1, 10}},
      {"left click when on", 1, true, {{'D', 1}, {'U', 1}, {'C'}}, 0, {6, 8, 1, 10}},
      {"right click", 0, true, {{'D', 2}, {'U', 2}, {'C'}}, 0, {}},
      {"value 2 counts as off", 2, true, {{'D', 1}, {'U', 1}, {'C'}}, 1, {6, 8, 1, 10}},
      {"disabled", 0, false, {{'D', 1}, {'M', 1}, {'U', 1}, {'C'}, {'K'}}, 0, {}},
      {"enter, move, leave", 0, true, {{'M'}, {'M', 0, 6, 6}, {'M', 0, 26, 5}}, 0, {7, 9, 7, 7, 10}},
      {"left from above", 0, true, {{'M', 0, 3, -1}}, 0, {7, 10}},
      {"Space", 0, true, {{'K'}}, 1, {1, 10}},
  };
  for (const Row& r : rows) {
    RecordingHost host;
    mm_checkbox box(host);
    box.SetValue(r.start);
    box.SetEnabled(r.enabled);
    for (const Step& s : r.steps) {
      if (s.what == 'D') box.MouseDown(s.button, 0, s.x, s.y);
      if (s.what == 'U') box.MouseUp(s.button, 0, s.x, s.y);
      if (s.what == 'M') box.MouseMove(s.button, 0, s.x, s.y);
      if (s.what == 'C') box.Click();
      if (s.what == 'K') box.Activate();
    }
    EXPECT_EQ(box.value(), r.value) << r.name;
    EXPECT_EQ(host.events, r.events) << r.name;
    EXPECT_FALSE(host.captured) << r.name;
  }
}

TEST(mm_checkbox, SizesToItsPicturePlusOnePixelWithACentredBarWhenDisabled) {
  struct Row { bool small; Size size; Rect bar; } rows[] = {
      {true, {26, 18}, {2, 7, 23, 11}}, {false, {14, 16}, {5, 4, 9, 12}}};
  for (const Row& r : rows) {
    RecordingHost host;
    mm_checkbox box(host);
    box.SetRoundedValue(9);
    box.SetSmall(r.small);
    EXPECT_EQ(host.size, r.size);
    EXPECT_EQ(box.RoundedValue(), 0) << "Small resets RoundedValue";
    EXPECT_EQ(host.region, 0);
    EXPECT_TRUE(box.DisabledBar().Width() == 0);
    box.SetEnabled(false);
    EXPECT_EQ(box.DisabledBar(), r.bar);
    EXPECT_FALSE(host.windowEnabled);
  }
}

TEST(Controls, PersistedValuesLoadInTheirOrder) {
  ProgressBarXP bar;
  bar.Load({{L"value", 100}, {L"MAX", 200}, {L"Scrolling", 3}, {L"BrushStyle", 0}, {L"Color", 0x404040}});
  EXPECT_EQ(bar.Percent(), 50) << "Value maps onto the loaded Max";
  EXPECT_EQ(bar.Value(), 100);
  PropertyBag saved;
  bar.Save(saved);
  EXPECT_EQ(saved.Read<int>(L"Max", 0), 200);
  EXPECT_EQ(saved.Read<int>(L"Color", 0), 0x404040);
  EXPECT_FALSE(saved.Has(L"Min")) << "defaults are left out";
  ProgressBarXP fresh({}, {});
  fresh.Load({{L"Scrolling", 12}, {L"Max", L"many"}});
  EXPECT_EQ(fresh.Scrolling(), 0) << "an unknown mode draws as mode 0";
  EXPECT_EQ(fresh.Max(), 100) << "a value of the wrong kind reads as the default";

  struct Row { PropertyBag bag; int rounded, value; } rows[] = {
      {{{L"Small", false}, {L"RoundedValue", 7}}, 7, 0},
      {{{L"Small", false}}, 5, 0},
      {{{L"RoundedValue", 0}, {L"Value", 1}}, 0, 1},
  };
  for (const Row& r : rows) {
    RecordingHost host;
    mm_checkbox box(host);
    box.Load(r.bag);
    EXPECT_EQ(box.RoundedValue(), r.rounded);
    EXPECT_EQ(host.region, r.rounded);
    EXPECT_EQ(box.value(), r.value);
  }

  FakeTimer timer;
  ucFirefoxWait spinner(timer, 0xE0E0E0);
  spinner.Load({{L"IsPlaying", true}, {L"AnimationSpeed", 40}, {L"BackColor", static_cast<std::int32_t>(0x8000000F)}});
  EXPECT_TRUE(spinner.IsPlaying());
  EXPECT_FALSE(timer.enabled) << "loading starts nothing";
  EXPECT_EQ(spinner.BackColor(), 0xE0E0E0u) << "a system colour becomes the sample colour";
  spinner.PlayWait();
  EXPECT_FALSE(timer.enabled) << "IsPlaying alone makes PlayWait do nothing";
}

TEST(ucFirefoxWait, PlaysFramesOneToSevenThenZeroAndStopWaitShowsFrameZero) {
  FakeTimer timer;
  ucFirefoxWait spinner(timer, 0xE0E0E0);
  spinner.SetIsPlaying(true);
  EXPECT_FALSE(timer.enabled) << "IsPlaying starts nothing";
  spinner.SetIsPlaying(false);
  spinner.PlayWait();
  EXPECT_TRUE(timer.enabled);
  EXPECT_EQ(timer.interval, 100u);
  std::vector<int> frames;
  for (int i = 0; i < 10; ++i) spinner.Tick(), frames.push_back(spinner.Frame());
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1, 2}));
  spinner.SetAnimationSpeed(40);
  EXPECT_EQ(timer.interval, 40u) << "a running timer takes the new pace at once";
  spinner.StopWait();
  EXPECT_FALSE(timer.enabled);
  EXPECT_EQ(spinner.Frame(), 0);
  spinner.PlayWait();
  EXPECT_EQ(timer.interval, 40u);
  spinner.Tick();
  EXPECT_EQ(spinner.Frame(), 1);
  spinner.SetBackColor(0x000000FF);
  EXPECT_EQ(spinner.BackColor(), 0x0000FFu);
}

TEST(Raster, CoverageAddsUpToTheAreaOfTheShape) {
  struct Row { const char* name; Path path; double area; } rows[] = {
      {"fractional edges", Path().AddRect(2.25, 3.5, 12.75, 8), 10.5 * 4.5},
      {"circle", Path().AddCircle(20, 20, 10), 314.16},
      {"overlapping solids count once", Path().AddRect(0, 0.5, 10, 10).AddRect(5, 0.5, 15, 10), 142.5},
      {"a hole cuts through", Path().AddRect(0, 0, 10, 10).AddRect(2, 2, 8, 8, true), 64},
      {"frame", Path().AddFrame(0, 0, 20, 10, 0, 2), 200 - 16 * 6},
      {"stroke with round caps", Path().AddStroke({{5, 5}, {25, 5}}, 2), 40 + 3.1416},
      {"clipped to the canvas", Path().AddRect(-5, -5, 5, 5).AddRect(35, 38, 45, 48), 25 + 10},
  };
  for (const Row& r : rows) {
    Canvas c(40, 40);
    c.FillPath(r.path, Rgb(10, 20, 30));
    double area = 0;
    for (int i = 0; i < 40 * 40; ++i) area += (c.Data()[i] >> 24) / 255.0;
    EXPECT_NEAR(area, r.area, r.area * 0.01) << r.name;
  }
}

TEST(Raster, LayersBlendAsPremultipliedPixelsAndScaleWithoutBorrowingColour) {
  Canvas back(4, 2, PixelOf(Rgb(200, 100, 50))), blue(2, 2);
  blue.FillRect(0, 0, 2, 2, {Rgb(0, 0, 255), 0.6});
  back.Draw(blue, -1, 1);  // one pixel of it lands, at (0, 1)
  back.Draw(blue, 3, -1);  // and one at (3, 0)
  EXPECT_EQ(back.At(0, 1), PixelOf(Rgb(80, 40, 20 + 153))) << "0.6 of the blue over 0.4 of the orange";
  EXPECT_EQ(back.At(3, 0), back.At(0, 1));
  EXPECT_EQ(back.At(2, 1), PixelOf(Rgb(200, 100, 50)));
  blue.ClipTo(Canvas(1, 2, PixelOf(0, 85)));
  EXPECT_EQ(blue.At(0, 1), PixelOf(Rgb(0, 0, 255), 153 / 3)) << "a third where the shape covers a third";
  EXPECT_EQ(blue.At(1, 0), 0u) << "nothing past the shape";

  Canvas redAndNothing(2, 1), wide(7, 3);
  redAndNothing.Set(0, 0, PixelOf(Rgb(255, 0, 0)));
  redAndNothing.ScaleInto(wide);
  for (int x = 0; x < 7; ++x) EXPECT_EQ(wide.At(x, 1), (wide.At(x, 1) >> 24) * 0x01010000u) << "pure red at " << x;
  EXPECT_EQ(wide.At(0, 0), PixelOf(Rgb(255, 0, 0)));
  EXPECT_EQ(wide.At(6, 2), 0u);
}

}  // namespace
}  // namespace vexa::controls
