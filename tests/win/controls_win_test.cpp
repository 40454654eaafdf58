// The skinned controls' windows, probed pixel by pixel through
// WM_PRINTCLIENT into a 32-bit bitmap: the progress bar's mode 3, the
// spinner's recolouring, the switch's disabled bar and its keyboard use.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "controls/paint/paint.h"
#include "controls/win32/controls.h"
#include "tests/support/support.h"
#include "ui/dpi.h"

namespace vexa::controls {
namespace {

class ControlPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterAll(GetModuleHandleW(nullptr));
    parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
    dpi = ui::DpiOf(parent);
  }
  void TearDown() override { DestroyWindow(parent); }
  HWND Make(const wchar_t* cls, int w, int h) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE, 0, 0, w, h, parent, reinterpret_cast<HMENU>(7),
                           nullptr, nullptr);
  }
  HWND parent = nullptr;
  int dpi = 96;
};

TEST_F(ControlPixels, ProgressBarXpModeThreeIsAGreyBarInAGreyFrameOnBlack) {
  HWND bar = Make(kProgressXpClass, 200, 22);
  const PropertyBag pb1{{L"Scrolling", 3}, {L"BrushStyle", 0}, {L"Color", 0x404040}, {L"Max", 200}};
  SendMessageW(bar, kLoadProperties, 0, reinterpret_cast<LPARAM>(&pb1));
  const int b = ScaleToDpi(1, dpi);
  struct Row { int value, barEnd; } rows[] = {{0, 0}, {100, 100}, {200, 200}, {260, 200}};
  for (const Row& r : rows) {
    SendMessageW(bar, PBM_SETPOS, r.value, 0);
    const test::Snapshot s(bar);
    ASSERT_EQ(s.w, 200);
    for (POINT edge : {POINT{0, 0}, POINT{199, 21}, POINT{100, 0}, POINT{0, 11}}) {
      EXPECT_EQ(s.At(edge.x, edge.y), 0x8A8A8Au) << "frame at " << edge.x << "," << edge.y;
    }
    const int mid = 11;
    for (int x : {b, r.barEnd - 1, r.barEnd, 198}) {
      if (x < b || x > 200 - b - 1) continue;
      EXPECT_EQ(s.At(x, mid), x < r.barEnd ? 0xC6C6C6u : 0u) << r.value << " at x " << x;
    }
    EXPECT_EQ(s.At(b, b), r.barEnd > b ? 0xC6C6C6u : 0u);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), r.value > 200 ? 200 : r.value);
  }
}

TEST_F(ControlPixels, SpinnerRecolourLeavesNoMagentaInAnyFrame) {
  HWND spinner = Make(kSpinnerClass, 40, 30);
  const test::Snapshot sized(spinner);
  EXPECT_EQ(sized.w, ScaleToDpi(16, dpi));
  EXPECT_EQ(sized.h, ScaleToDpi(16, dpi));
  struct Row { Colour set, shown; } rows[] = {
      {0xE0E0E0, 0xE0E0E0}, {0xFFFFFF, 0xFFFFFF}, {0x404040, 0x404040}, {0x8000000F, 0xE0E0E0}};
  for (const Row& r : rows) {
    SendMessageW(spinner, kSpinnerSetBackColor, r.set, 0);
    test::Snapshot previous(spinner);
    for (int frame = 0; frame < 8; ++frame) {
      const test::Snapshot s(spinner);
      int dots = 0;
      for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
          const Colour c = s.At(x, y);
          const int g = GreenOf(c);
          ASSERT_FALSE(RedOf(c) - g > 90 && BlueOf(c) - g > 90 && RedOf(c) > 150)
              << "magenta-tinted pixel " << std::hex << c << " at " << std::dec << x << "," << y;
          if (c != r.shown) ++dots;
        }
      EXPECT_EQ(s.At(0, 0), r.shown);
      EXPECT_GT(dots, 8) << "frame " << frame;
      if (frame > 0) {
        EXPECT_NE(s.pixels, previous.pixels) << "frame " << frame << " looks like the one before";
      }
      previous = s;
      SendMessageW(spinner, WM_TIMER, 1, 0);
    }
  }
}

TEST_F(ControlPixels, CheckboxDisabledBarIsCentredSpaceFlipsAndACancelledPressDoesNot) {
  struct Row { bool small; int w, h, barW, barH; } rows[] = {{true, 26, 18, 21, 4}, {false, 14, 16, 4, 8}};
  for (const Row& r : rows) {
    HWND box = Make(kCheckboxClass, 60, 20);
    const PropertyBag bag{{L"Small", r.small}, {L"RoundedValue", 0}};
    SendMessageW(box, kLoadProperties, 0, reinterpret_cast<LPARAM>(&bag));
    EnableWindow(box, FALSE);
    const test::Snapshot s(box);
    ASSERT_EQ(s.w, ScaleToDpi(r.w, dpi));
    ASSERT_EQ(s.h, ScaleToDpi(r.h, dpi));
    // The bar is the only dark part of the picture.
    RECT found{s.w, s.h, -1, -1};
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < s.w; ++x)
        if (RedOf(s.At(x, y)) < 160) {
          found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y), std::max<LONG>(found.right, x + 1),
                   std::max<LONG>(found.bottom, y + 1)};
        }
    EXPECT_EQ(found.right - found.left, ScaleToDpi(r.barW, dpi)) << r.small;
    EXPECT_EQ(found.bottom - found.top, ScaleToDpi(r.barH, dpi)) << r.small;
    EXPECT_LE(std::abs(found.left - (s.w - found.right)), 1) << r.small;
    EXPECT_LE(std::abs(found.top - (s.h - found.bottom)), 1) << r.small;
    EXPECT_EQ(test::Snapshot(box).pixels, s.pixels);
    EnableWindow(box, TRUE);
    const test::Snapshot enabled(box);
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < s.w; ++x) ASSERT_GE(RedOf(enabled.At(x, y)), 160) << "bar left at " << x << "," << y;

    SendMessageW(box, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(box, WM_KEYUP, VK_SPACE, 0xC0000000);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), 1);
    EXPECT_NE(test::Snapshot(box).pixels, enabled.pixels) << "the on picture";
    // A press taken off the switch is cancelled: a later release on it (a
    // drag from elsewhere) is no click.
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), 1);
    DestroyWindow(box);
  }
}

}  // namespace
}  // namespace vexa::controls
