#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/oxbutton/win32/oxbutton.h"
#include "controls/win32/controls.h"
#include "tests/support/support.h"

namespace vexa::controls {
namespace {

constexpr int kW = 80, kH = 24;
constexpr COLORREF kBlueBorder = RGB(49, 106, 197);

int g_clicks = 0;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++g_clicks;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// One button in a visible top-level window at a known place.
class OxWin : public ::testing::Test {
 protected:
  void SetUp() override {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterAll(instance);
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"OxTestHost";
    RegisterClassW(&wc);
    host_ = CreateWindowExW(WS_EX_TOPMOST, L"OxTestHost", L"", WS_POPUP | WS_VISIBLE, 100, 100, 240, 120, nullptr,
                            nullptr, instance, nullptr);
    font_ = CreateFontW(-18, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
    g_clicks = 0;
  }
  void TearDown() override {
    DestroyWindow(host_);
    DeleteObject(font_);
  }
  HWND Make(PropertyBag bag, DWORD style = 0) {
    if (button_) DestroyWindow(button_);
    button_ = CreateWindowExW(0, kOxButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, 10, kW, kH, host_,
                              reinterpret_cast<HMENU>(1), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(button_, kLoadProperties, 0, reinterpret_cast<LPARAM>(&bag));
    return button_;
  }
  void Hover() {
    POINT pt{5, 5};
    ClientToScreen(button_, &pt);
    SetCursorPos(pt.x, pt.y);
    SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  }

  HWND host_ = nullptr, button_ = nullptr;
  HFONT font_ = nullptr;
};

struct Probe {
  int x, y;
  COLORREF color;
};
struct Look {
  const char* name;
  int style;
  bool checked, hover, press;
  std::vector<Probe> probes;
};

TEST_F(OxWin, PlateAndToolbarStylesPaintEachStateInTheirColours) {
  const COLORREF menu = GetSysColor(COLOR_MENU);
  const Look looks[] = {
      {"plate normal", 4, false, false, false, {{2, 2, RGB(64, 64, 64)}, {0, 0, RGB(64, 64, 64)}}},
      {"plate hot", 4, false, true, false, {{2, 2, RGB(201, 218, 246)}, {0, 0, kBlueBorder}, {kW - 1, kH - 1, kBlueBorder}}},
      {"plate down", 4, false, false, true, {{2, 2, RGB(173, 190, 218)}, {0, 0, kBlueBorder}}},
      {"plate checked", 4, true, false, false, {{2, 2, RGB(180, 197, 225)}, {0, 0, kBlueBorder}}},
      {"plate checked hot", 4, true, true, false, {{2, 2, RGB(190, 207, 235)}, {kW - 1, 0, kBlueBorder}}},
      {"toolbar normal", 6, false, false, false, {{5, 5, menu}, {0, 0, menu}}},
      {"toolbar hot", 6, false, true, false,
       {{5, 5, RGB(229, 228, 221)}, {0, 0, RGB(157, 157, 146)}, {1, 1, RGB(130, 129, 120)}, {5, 1, RGB(215, 213, 204)}}},
      {"toolbar down", 6, false, false, true, {{0, 0, RGB(206, 206, 195)}, {1, 1, RGB(199, 199, 188)}}},
      {"toolbar checked", 6, true, false, false, {{5, 5, RGB(254, 254, 254)}, {0, 0, RGB(122, 152, 175)}, {1, 1, RGB(109, 128, 142)}}},
  };
  for (const Look& look : looks) {
    Make({{L"ButtonStyle", look.style},
          {L"BackColor", static_cast<std::int32_t>(look.style == 4 ? 0x404040 : 0x80000004)},
          {L"ColorScheme", look.style == 4 ? 0 : 3},
          {L"ForeColor", 0x0000FF},
          {L"Caption", std::wstring(L"WWW")},
          {L"Mode", look.checked ? 1 : 0},
          {L"Value", look.checked}});
    if (look.hover) Hover();
    if (look.press) SendMessageW(button_, WM_KEYDOWN, VK_SPACE, 0);
    const test::Snapshot px(button_);
    for (const Probe& p : look.probes)
      EXPECT_EQ(px.At(p.x, p.y), p.color) << look.name << " at " << p.x << "," << p.y;
    if (look.style == 6 && look.press) {  // white caption whatever ForeColor says
      EXPECT_TRUE(px.Shows(RGB(255, 255, 255))) << look.name;
      EXPECT_FALSE(px.Shows(RGB(255, 0, 0))) << look.name;
    }
    if (look.press) SendMessageW(button_, WM_KEYUP, VK_SPACE, 0);
  }
}

TEST_F(OxWin, RegionFollowsTheStyleAndTheSize) {
  for (auto [style, ellipse] : {std::pair{4, 0}, std::pair{3, 3}, std::pair{6, 4}}) {
    Make({{L"ButtonStyle", style}});
    for (auto [w, h] : {std::pair{kW, kH}, std::pair{100, 30}}) {
      SetWindowPos(button_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
      HRGN actual = CreateRectRgn(0, 0, 0, 0);
      HRGN expected = ellipse ? CreateRoundRectRgn(0, 0, w + 1, h + 1, ellipse, ellipse) : CreateRectRgn(0, 0, w, h);
      ASSERT_NE(GetWindowRgn(button_, actual), ERROR) << style;
      EXPECT_EQ(CombineRgn(expected, expected, actual, RGN_XOR), NULLREGION) << style << " " << w;
      EXPECT_EQ(PtInRegion(actual, 0, 0) != 0, ellipse == 0) << style;
      DeleteObject(actual);
      DeleteObject(expected);
    }
  }
}

TEST_F(OxWin, DisabledCaptionIsGrey) {
  Make({{L"ButtonStyle", 4}, {L"BackColor", 0x404040}, {L"ForeColor", 0xFFFFFF}, {L"Caption", std::wstring(L"WWW")}});
  EXPECT_TRUE(test::Snapshot(button_).Shows(RGB(255, 255, 255)));
  EnableWindow(button_, FALSE);
  const test::Snapshot px(button_);
  EXPECT_TRUE(px.Shows(GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_FALSE(px.Shows(RGB(255, 255, 255)));
}

TEST_F(OxWin, EmptyCaptionCentresThePicture) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"oxbutton-red.bmp";
  {  // a 16 x 16 red bitmap
    std::vector<std::uint32_t> file(14 + 256, 0x00FF0000);  // 54 header bytes, rounded up to whole pixels
    BITMAPFILEHEADER head{0x4D42, 56 + 1024, 0, 0, 56};
    BITMAPINFOHEADER info{sizeof info, 16, 16, 1, 32, BI_RGB};
    std::memcpy(file.data(), &head, sizeof head);
    std::memcpy(reinterpret_cast<char*>(file.data()) + sizeof head, &info, sizeof info);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(h, file.data(), 56 + 1024, &n, nullptr);
    CloseHandle(h);
  }
  Make({{L"ButtonStyle", 4}, {L"BackColor", 0x404040}, {L"PictureNormal", path}});
  const test::Snapshot px(button_);
  const COLORREF red = RGB(255, 0, 0), back = RGB(64, 64, 64);
  for (Probe p : {Probe{32, 4, red}, Probe{47, 19, red}, Probe{31, 12, back}, Probe{48, 12, back}, Probe{40, 3, back},
                  Probe{40, 20, back}})
    EXPECT_EQ(px.At(p.x, p.y), p.color) << p.x << "," << p.y;
  DeleteFileW(path.c_str());
}

TEST_F(OxWin, KeepsTheStockButtonContract) {
  Make({{L"ButtonStyle", 4}, {L"Caption", std::wstring(L"&Scan")}});
  wchar_t text[32];
  GetWindowTextW(button_, text, 32);
  EXPECT_STREQ(text, L"&Scan");
  SetWindowTextW(button_, L"Stop");
  PropertyBag saved;
  SendMessageW(button_, kOxSaveProperties, 0, reinterpret_cast<LPARAM>(&saved));
  EXPECT_EQ(saved.Read(L"Caption", std::wstring()), L"Stop");
  SendMessageW(button_, BM_CLICK, 0, 0);
  SendMessageW(button_, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(button_, WM_KEYUP, VK_SPACE, 0);
  SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button_, WM_LBUTTONUP, 0, MAKELPARAM(0, 5));  // on the edge: no click
  EXPECT_EQ(g_clicks, 3);
  EnableWindow(button_, FALSE);
  SendMessageW(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(g_clicks, 3);
  Make({{L"Caption", std::wstring(L"Stop")}}, WS_DISABLED);  // created disabled, no "Enabled" in the record
  EXPECT_FALSE(IsWindowEnabled(button_));
}

TEST_F(OxWin, HotButtonMakesItsTooltipAndDeactivationEndsTheHotLook) {
  Make({{L"ButtonStyle", 4}, {L"ToolTip", std::wstring(L"Scan Now")}, {L"TooltipType", 1}, {L"TooltipIcon", 1}});
  Hover();
  EXPECT_EQ(SendMessageW(button_, kOxGetState, 0, 0), 1);
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM out) {
        wchar_t cls[64];
        GetClassNameW(w, cls, 64);
        if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && IsWindow(w)) *reinterpret_cast<HWND*>(out) = w;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);
  wchar_t text[64] = L"";
  TTTOOLINFOW tool{sizeof tool, 0, button_, reinterpret_cast<UINT_PTR>(button_)};
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Scan Now");
  SendMessageW(host_, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(SendMessageW(button_, kOxGetState, 0, 0), 0);
}

}  // namespace
}  // namespace vexa::controls
