// The pictures of ImageList1, drawn here with GDI: 1 a lightning bolt
// (prefetch), 2 a page (user temp file), 3 a clock (recent), 5 a waste bin
// (cookies, Windows temp, temp sub-folders). Picture 4 is left blank.
#include "cleaner/win32/junk_list_view.h"
#include "ui/scoped.h"

namespace vexa::cleaner {

namespace {

using ui::ScopedGdi;
using ui::ScopedSelect;

constexpr int kSize = 16;
constexpr COLORREF kKey = RGB(255, 0, 255);  // background, masked out

struct Pen {
  ui::ScopedGdi<HPEN> pen;
  ui::ScopedGdi<HBRUSH> brush;
  Pen(COLORREF line, COLORREF fill) : pen(CreatePen(PS_SOLID, 1, line)), brush(CreateSolidBrush(fill)) {}
};

void Bolt(HDC dc) {
  Pen p(RGB(150, 80, 0), RGB(255, 200, 20));
  ui::ScopedSelect a(dc, p.pen.get()), b(dc, p.brush.get());
  const POINT shape[] = {{10, 0}, {3, 9}, {7, 9}, {5, 15}, {13, 5}, {9, 5}, {12, 0}};
  Polygon(dc, shape, 7);
}

void Page(HDC dc) {
  Pen p(RGB(90, 90, 100), RGB(255, 255, 255));
  ui::ScopedSelect a(dc, p.pen.get()), b(dc, p.brush.get());
  const POINT sheet[] = {{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}};
  Polygon(dc, sheet, 5);
  const POINT fold[] = {{10, 1}, {10, 4}, {13, 4}};
  Polyline(dc, fold, 3);
  ui::ScopedGdi<HPEN> lines(CreatePen(PS_SOLID, 1, RGB(40, 110, 210)));
  ui::ScopedSelect c(dc, lines.get());
  for (int y = 6; y <= 12; y += 2) {
    MoveToEx(dc, 5, y, nullptr);
    LineTo(dc, 12, y);
  }
}

void Clock(HDC dc) {
  Pen p(RGB(20, 60, 150), RGB(215, 235, 255));
  ui::ScopedSelect a(dc, p.pen.get()), b(dc, p.brush.get());
  Ellipse(dc, 0, 0, 16, 16);
  ui::ScopedGdi<HPEN> hands(CreatePen(PS_SOLID, 1, RGB(200, 30, 30)));
  ui::ScopedSelect c(dc, hands.get());
  MoveToEx(dc, 8, 8, nullptr);
  LineTo(dc, 8, 3);
  MoveToEx(dc, 8, 8, nullptr);
  LineTo(dc, 12, 10);
}

void Bin(HDC dc) {
  Pen p(RGB(50, 60, 50), RGB(120, 170, 110));
  ui::ScopedSelect a(dc, p.pen.get()), b(dc, p.brush.get());
  Rectangle(dc, 6, 0, 10, 3);   // handle
  Rectangle(dc, 2, 2, 14, 5);   // lid
  const POINT body[] = {{3, 5}, {12, 5}, {11, 15}, {4, 15}};
  Polygon(dc, body, 4);
  ui::ScopedGdi<HPEN> ribs(CreatePen(PS_SOLID, 1, RGB(40, 90, 40)));
  ui::ScopedSelect c(dc, ribs.get());
  for (int x = 6; x <= 9; x += 3) {
    MoveToEx(dc, x, 7, nullptr);
    LineTo(dc, x, 14);
  }
}

void Blank(HDC) {}

}  // namespace

HIMAGELIST CreateImageList1() {
  HIMAGELIST list = ImageList_Create(kSize, kSize, ILC_COLOR24 | ILC_MASK, 5, 0);
  if (!list) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  for (void (*draw)(HDC) : {Bolt, Page, Clock, Blank, Bin}) {
    ui::ScopedGdi<HBITMAP> picture(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) {  // a list with a picture missing would shift the others
      ImageList_Destroy(list);
      list = nullptr;
      break;
    }
    {
      ui::ScopedSelect into(dc, picture.get());
      ui::ScopedGdi<HBRUSH> key(CreateSolidBrush(kKey));
      RECT all{0, 0, kSize, kSize};
      FillRect(dc, &all, key.get());
      draw(dc);
    }
    ImageList_AddMasked(list, picture.get(), kKey);
  }
  DeleteDC(dc);
  return list;
}

}  // namespace vexa::cleaner
