// Windows of the program in this process: ListView1 with tens of thousands of
// rows, the About window opened twice in a row, and a text fitted to its box.
#include <gtest/gtest.h>

#include "app/form3.h"
#include "cleaner/win32/junk_list_view.h"
#include "controls/win32/controls.h"
#include "tests/support/support.h"
#include "ui/dpi.h"
#include "ui/window.h"

namespace vexa {
namespace {

// A hidden parent that hands its notifications to the list, as the main window does.
class Host : public ui::Window {
 public:
  explicit Host(cleaner::JunkListView& view) : view_(view) {
    RegisterClass(L"VexaTestHost");
    Create(0, L"VexaTestHost", L"", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400);
  }

 private:
  bool OnNotify(const NMHDR& header, LRESULT& result) override { return view_.OnNotify(header, result); }
  cleaner::JunkListView& view_;
};

TEST(Win32JunkList, FiftyThousandRowsFillAndTickByTheirBoxesOrStateImages) {
  cleaner::JunkList rows;
  cleaner::JunkListView view(rows);
  Host host(view);
  HWND list = view.Create(host.hwnd(), 101, RECT{8, 8, 568, 340});
  ASSERT_TRUE(list);
  constexpr int kRows = 50001;
  for (int i = 0; i < kRows; ++i) rows.Add({L"row" + std::to_wstring(i), L"C:\\T\\row" + std::to_wstring(i), 1 + i % 5});
  rows.NotifyChanged();
  ASSERT_EQ(ListView_GetItemCount(list), kRows);
  wchar_t text[64] = {};
  ListView_GetItemText(list, kRows - 1, 1, text, 64);
  EXPECT_STREQ(text, L"C:\\T\\row50000");

  // A click on the last row's box, found by the list's own hit test.
  ASSERT_TRUE(ListView_EnsureVisible(list, kRows - 1, FALSE));
  RECT bounds{LVIR_BOUNDS};
  ASSERT_TRUE(ListView_GetItemRect(list, kRows - 1, &bounds, LVIR_BOUNDS));
  LVHITTESTINFO hit{{bounds.left, (bounds.top + bounds.bottom) / 2}};
  while (hit.pt.x < bounds.left + 40 && !(ListView_HitTest(list, &hit) == kRows - 1 && (hit.flags & LVHT_ONITEMSTATEICON)))
    ++hit.pt.x;
  ASSERT_LT(hit.pt.x, bounds.left + 40) << "no check box on the row";
  // Released before pressed: the list's drag check finds the release waiting.
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x + 2, hit.pt.y));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x + 2, hit.pt.y));
  EXPECT_TRUE(test::WaitFor([&] { return rows.Row(kRows - 1).ticked; }, 3000));
  EXPECT_EQ(ListView_GetItemState(list, kRows - 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

  // A program driving the list sets state images: one row, then all.
  ListView_SetItemState(list, 25000, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  EXPECT_TRUE(rows.Row(25000).ticked);
  ListView_SetItemState(list, -1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
  EXPECT_FALSE(rows.Row(25000).ticked || rows.Row(kRows - 1).ticked);
}

struct RecordingShell : Shell {
  void OpenDocument(const std::wstring&, const std::wstring&) override {}
  void OpenAddress(const std::wstring& address, std::uintptr_t owner) override { opened.emplace_back(address, owner); }
  std::vector<std::pair<std::wstring, std::uintptr_t>> opened;
};

// The second window paints with a brush that outlived the first; neither has
// a border; the link opens on the window's own behalf.
TEST(Win32About, TwoInARowHaveALiveBrushNoBorderAndOpenTheirLinkThemselves) {
  controls::RegisterAll(GetModuleHandleW(nullptr));
  RecordingShell shell;
  for (std::size_t i = 1; i <= 2; ++i) {
    app::Form3 about(shell, nullptr);
    about.ShowAbout();
    HWND h = about.hwnd();
    ASSERT_TRUE(h);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(h, GCLP_HBRBACKGROUND))),
              static_cast<DWORD>(OBJ_BRUSH)) << "window " << i;
    EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) << "window " << i;
    HWND link = GetDlgItem(h, app::Form3::Label15);
    SendMessageW(h, WM_COMMAND, MAKEWPARAM(app::Form3::Label15, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    ASSERT_EQ(shell.opened.size(), i);
    EXPECT_EQ(shell.opened.back().first, app::Form3::kWebAddress);
    EXPECT_EQ(shell.opened.back().second, reinterpret_cast<std::uintptr_t>(h));
    SendMessageW(GetDlgItem(h, app::Form3::oxbutton3), BM_CLICK, 0, 0);  // "X"
    EXPECT_FALSE(IsWindow(h));
  }
}

// A fixed text in a fixed box (the splash's footer): the font keeps its size
// where the text fits, shrinks until it fits, and stops at the smallest size.
TEST(Win32Fonts, AFontMadeToFitKeepsItsTextOnOneLineInItsBox) {
  const std::wstring_view text = L"Copyright (c) 2015 VexaTools. All rights reserved.";
  ui::ScopedWindowDc screen(nullptr);
  auto width = [&](const ui::ScopedGdi<HFONT>& font) {
    ui::ScopedSelect chosen(screen.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const int natural = width(ui::MakeFont({L"Arial", 8}, 96));
  const int smallest = width(ui::MakeFont({L"Arial", 6}, 96));
  ASSERT_LT(smallest, natural * 4 / 5);  // so the box below can be met
  EXPECT_EQ(width(ui::MakeFontToFit({L"Arial", 8}, 96, text, natural)), natural);
  const int shrunk = width(ui::MakeFontToFit({L"Arial", 8}, 96, text, natural * 4 / 5));
  EXPECT_LE(shrunk, natural * 4 / 5);
  EXPECT_EQ(width(ui::MakeFontToFit({L"Arial", 8}, 96, text, smallest / 2)), smallest);
}

}  // namespace
}  // namespace vexa
