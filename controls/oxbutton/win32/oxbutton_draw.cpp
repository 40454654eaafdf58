// Painting of the oxbutton: carries out the model's face plan into an
// off-screen 32-bit buffer, lays out and draws the caption, picture and
// drop-down glyph, then copies the buffer to the window in one go.
#include "controls/oxbutton/win32/oxbutton_view.h"

#include <uxtheme.h>

#include "ui/dpi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vexa::controls::ox {
namespace {

// 0x00BBGGRR to the 0x00RRGGBB of a 32-bit DIB.
std::uint32_t ToDib(OleColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}

// A 32-bit top-down DIB in a memory DC: GDI draws into it and the picture
// composer writes its pixels directly.
class FaceBuffer {
 public:
  FaceBuffer(HDC target, int width, int height) : w_(std::max(width, 1)), h_(std::max(height, 1)) {
    BITMAPINFO bmi = TopDown32(w_, h_);
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(target);
    bitmap_.reset(CreateDIBSection(target, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_.get());
  }
  ~FaceBuffer() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  FaceBuffer(const FaceBuffer&) = delete;
  FaceBuffer& operator=(const FaceBuffer&) = delete;

  bool ok() const { return dc_ && bits_; }
  HDC dc() const { return dc_; }
  // Runs f over the pixels as a vector, after GDI has finished drawing.
  template <typename F>
  void WithPixels(F&& f) {
    GdiFlush();
    std::vector<std::uint32_t> px(bits_, bits_ + static_cast<std::size_t>(w_) * h_);
    f(px);
    std::memcpy(bits_, px.data(), px.size() * sizeof(std::uint32_t));
  }
  void Present(HDC target, int width, int height) const { BitBlt(target, 0, 0, width, height, dc_, 0, 0, SRCCOPY); }

 private:
  int w_, h_;
  HDC dc_ = nullptr;
  ui::ScopedGdi<HBITMAP> bitmap_;
  std::uint32_t* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const Rect& r, OleColor c) {
  if (c == kInvalidColor) return;
  ui::ScopedGdi<HBRUSH> brush(CreateSolidBrush(c));
  RECT rc = ToRect(r);
  FillRect(dc, &rc, brush.get());
}

void Frame(HDC dc, const Rect& r, OleColor c) {
  if (c == kInvalidColor) return;
  ui::ScopedGdi<HBRUSH> brush(CreateSolidBrush(c));
  RECT rc = ToRect(r);
  FrameRect(dc, &rc, brush.get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2, OleColor c) {
  if (c == kInvalidColor) return;
  ui::ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, c));
  ui::ScopedSelect sp(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void Gradient(HDC dc, const Rect& r, OleColor c1, OleColor c2, int direction) {
  std::vector<OleColor> px;
  RenderGradient(px, r.Width(), r.Height(), c1, c2, direction);
  if (px.empty()) return;
  for (OleColor& c : px) c = ToDib(c);
  BITMAPINFO bmi = TopDown32(r.Width(), r.Height());
  StretchDIBits(dc, r.left, r.top, r.Width(), r.Height(), 0, 0, r.Width(), r.Height(), px.data(), &bmi,
                DIB_RGB_COLORS, SRCCOPY);
}

constexpr int kPushButtonPart = 1;

void ThemeBackground(OxView& view, HDC dc, const Rect& r, int state) {
  Fill(dc, {0, 0, r.right - 1, r.bottom - 2}, GetSysColor(COLOR_BTNFACE));
  HTHEME theme = OpenThemeData(view.hwnd(), L"Button");
  if (!theme) return;
  RECT rc = ToRect(r);
  HRGN region = nullptr;
  if (SUCCEEDED(GetThemeBackgroundRegion(theme, dc, kPushButtonPart, state, &rc, &region)) && region)
    view.SetThemeRegion(region);
  DrawThemeBackground(theme, dc, kPushButtonPart, state, &rc, nullptr);
  CloseThemeData(theme);
}

wchar_t GlyphFor(int symbol) {
  switch (symbol) {
    case 2: return L'5';  // up
    case 3: return L'4';  // right
    case 4: return L'3';  // left
    case 5: return L'u';  // small down triangle
    default: return L'6';  // down
  }
}

// The drop-down glyph as a small solid triangle.
void DrawArrow(HDC dc, const Rect& r, int symbol, OleColor color) {
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, s = std::max(2, r.Width() / 4);
  POINT pts[3];
  switch (symbol) {
    case 2: pts[0] = {cx - s, cy + s / 2}, pts[1] = {cx + s, cy + s / 2}, pts[2] = {cx, cy - s / 2 - 1}; break;
    case 3: pts[0] = {cx - s / 2, cy - s}, pts[1] = {cx - s / 2, cy + s}, pts[2] = {cx + s / 2 + 1, cy}; break;
    case 4: pts[0] = {cx + s / 2, cy - s}, pts[1] = {cx + s / 2, cy + s}, pts[2] = {cx - s / 2 - 1, cy}; break;
    default: pts[0] = {cx - s, cy - s / 2}, pts[1] = {cx + s, cy - s / 2}, pts[2] = {cx, cy + s / 2 + 1}; break;
  }
  ui::ScopedGdi<HBRUSH> brush(CreateSolidBrush(color));
  ui::ScopedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, color));
  ui::ScopedSelect sb(dc, brush.get());
  ui::ScopedSelect sp(dc, pen.get());
  Polygon(dc, pts, 3);
}

void DrawCaption(OxView& view, FaceBuffer& buffer, int width, int height) {
  oxbutton& model = view.model();
  const OxButtonProperties& p = model.Properties();
  HDC dc = buffer.dc();
  ui::ScopedSelect font(dc, view.CaptionFont());
  SetBkMode(dc, TRANSPARENT);
  const Picture* picture = view.PictureFor(model.CurrentPicture());
  const UINT rtl = p.RightToLeft ? DT_RTLREADING : 0;

  CaptionInput in;
  in.width = width;
  in.height = height;
  in.hasCaption = !p.Caption.empty();
  in.pictureWidth = picture ? picture->width : 0;
  in.pictureHeight = picture ? picture->height : 0;
  in.captionAlign = p.CaptionAlign;
  in.pictureAlign = p.PictureAlign;
  in.dropDownSymbol = p.DropDownSymbol;
  in.dropDownSeparator = p.DropDownSeparator;
  in.style = p.ButtonStyle;
  in.state = model.State();
  in.dpi = view.Dpi();
  RECT measured{0, 0, TextBoxWidth(in), height};
  if (in.hasCaption) DrawTextW(dc, p.Caption.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | rtl);
  in.textWidth = in.hasCaption ? measured.right : 0;
  in.textHeight = in.hasCaption ? measured.bottom : 0;
  const CaptionLayout layout = LayoutCaption(in);

  if (layout.separatorX) {
    const OleColor under = GetPixel(dc, 7, 7);
    const int x = *layout.separatorX;
    Line(dc, x, layout.separatorTop, x, layout.separatorBottom, ShiftColor(under, -0.10));
    Line(dc, x + 1, layout.separatorTop, x + 1, layout.separatorBottom, ShiftColor(under, 0.10));
  }
  if (picture && layout.picture) {
    const auto draws = PictureDraws(p, model.State());
    buffer.WithPixels([&](std::vector<std::uint32_t>& px) {
      for (const PictureDraw& how : draws)
        ComposePicture(px, width, height, *picture, layout.picture->left, layout.picture->top, how);
    });
  }

  const CaptionLook look = model.CurrentCaptionLook();
  const COLORREF previous = GetTextColor(dc);
  if (in.hasCaption) {
    for (const auto& [dx, dy] : look.effectOffsets) {
      RECT r = ToRect(layout.text.Moved(dx, dy));
      SetTextColor(dc, look.effect);
      DrawTextW(dc, p.Caption.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | rtl);
    }
    RECT r = ToRect(layout.text);
    SetTextColor(dc, look.text);
    DrawTextW(dc, p.Caption.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | rtl);
  }
  if (layout.dropDown) {
    ui::FontSpec glyphs{L"Marlett"};
    glyphs.charset = SYMBOL_CHARSET;
    ui::ScopedGdi<HFONT> marlett = ui::MakeFontOfHeight(glyphs, layout.dropDown->Height() - MulDiv(4, view.Dpi(), 96));
    ui::ScopedSelect glyphFont(dc, marlett.get());
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    if (lstrcmpiW(face, L"Marlett") == 0) {
      RECT r = ToRect(*layout.dropDown);
      const wchar_t glyph = GlyphFor(p.DropDownSymbol);
      SetTextColor(dc, look.glyph);
      DrawTextW(dc, &glyph, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
      DrawArrow(dc, *layout.dropDown, p.DropDownSymbol, look.glyph);  // a system without the symbol font
    }
  }
  SetTextColor(dc, previous);
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height) {
  BITMAP bm{};
  if (!GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0) return {};
  width = bm.bmWidth;
  height = std::abs(bm.bmHeight);
  std::vector<std::uint32_t> px(static_cast<std::size_t>(width) * height);
  BITMAPINFO bmi = TopDown32(width, height);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, height, px.data(), &bmi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return {};
  // Without an alpha channel every pixel is opaque.
  if (bm.bmBitsPixel != 32 || std::none_of(px.begin(), px.end(), [](std::uint32_t c) { return c >> 24; }))
    for (std::uint32_t& c : px) c |= 0xFF000000u;
  return px;
}

}  // namespace

void PaintButton(OxView& view, HDC target, int width, int height) {
  oxbutton& model = view.model();
  FaceBuffer buffer(target, width, height);
  if (!buffer.ok()) return;
  HDC dc = buffer.dc();
  const PaintPlan plan = model.PlanPaint(width, height);
  const OleColor back = model.Translate(model.Properties().BackColor);
  Fill(dc, {0, 0, width, height}, back == kInvalidColor ? GetSysColor(COLOR_BTNFACE) : back);
  for (const PaintOp& op : plan) {
    switch (op.kind) {
      case PaintOp::Kind::Fill: Fill(dc, op.rect, op.color); break;
      case PaintOp::Kind::Frame: Frame(dc, op.rect, op.color); break;
      case PaintOp::Kind::Line: Line(dc, op.rect.left, op.rect.top, op.rect.right, op.rect.bottom, op.color); break;
      case PaintOp::Kind::Corners:
        for (POINT pt : {POINT{1, 1}, POINT{1, height - 2}, POINT{width - 2, 1}, POINT{width - 2, height - 2}})
          SetPixel(dc, pt.x, pt.y, op.color);
        break;
      case PaintOp::Kind::Gradient: Gradient(dc, op.rect, op.color, op.color2, op.param); break;
      case PaintOp::Kind::Edge: {
        RECT rc = ToRect(op.rect);
        DrawEdge(dc, &rc, static_cast<UINT>(op.param), BF_RECT);
        break;
      }
      case PaintOp::Kind::Caption: DrawCaption(view, buffer, width, height); break;
      case PaintOp::Kind::FocusRect: {
        RECT rc = ToRect(op.rect);
        DrawFocusRect(dc, &rc);
        break;
      }
      case PaintOp::Kind::ThemeBackground: ThemeBackground(view, dc, op.rect, op.param); break;
      case PaintOp::Kind::ReapplyRegion: view.UpdateRegion(false); break;
    }
  }
  // The styles without a focus rectangle of their own still show keyboard
  // users where the focus is, once they move it with the keyboard.
  const int style = model.Properties().ButtonStyle;
  if (!StyleHasFocusRect(style) && GetFocus() == view.hwnd() &&
      !(SendMessageW(view.hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    RECT rc{3, 3, width - 3, height - 3};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &rc);
  }
  buffer.Present(target, width, height);
}

Picture LoadPictureNamed(const std::wstring& name) {
  Picture out;
  HINSTANCE module = GetModuleHandleW(nullptr);
  for (UINT from : {0u, static_cast<UINT>(LR_LOADFROMFILE)}) {
    HINSTANCE source = from ? nullptr : module;
    if (HANDLE bmp = LoadImageW(source, name.c_str(), IMAGE_BITMAP, 0, 0, from | LR_CREATEDIBSECTION)) {
      out.pixels = BitmapPixels(static_cast<HBITMAP>(bmp), out.width, out.height);
      DeleteObject(bmp);
      if (out.pixels.empty()) out.width = out.height = 0;
      return out;
    }
    if (HANDLE icon = LoadImageW(source, name.c_str(), IMAGE_ICON, 0, 0, from | LR_DEFAULTSIZE)) {
      ICONINFO info{};
      if (GetIconInfo(static_cast<HICON>(icon), &info)) {
        int mw = 0, mh = 0;
        out.pixels = BitmapPixels(info.hbmColor, out.width, out.height);
        std::vector<std::uint32_t> mask = BitmapPixels(info.hbmMask, mw, mh);
        const bool hasAlpha = std::any_of(out.pixels.begin(), out.pixels.end(), [](std::uint32_t c) { return (c >> 24) != 0xFF; });
        if (!hasAlpha && mw == out.width && mh >= out.height)
          for (std::size_t i = 0; i < out.pixels.size(); ++i)
            if (mask[i] & 0xFFFFFF) out.pixels[i] &= 0x00FFFFFFu;  // white in the mask: transparent
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
      }
      DestroyIcon(static_cast<HICON>(icon));
      if (out.pixels.empty()) out.width = out.height = 0;
      return out;
    }
  }
  return out;
}

}  // namespace vexa::controls::ox
