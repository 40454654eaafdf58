#pragma once
// The oxbutton window: its model, the window work the model asks for, and
// what painting needs from it. Handles are owned here and in the painter
// only.
#include <windows.h>

#include <map>
#include <string>

#include "controls/oxbutton/oxbutton_model.h"
#include "controls/oxbutton/oxbutton_picture.h"
#include "ui/scoped.h"

namespace vexa::controls::ox {

class OxView final : public OxButtonHost, public OxButtonEvents {
 public:
  explicit OxView(HWND hwnd);
  ~OxView() override;
  OxView(const OxView&) = delete;
  OxView& operator=(const OxView&) = delete;

  // Returns false to leave the message to DefWindowProc.
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // Hooked messages, after the window's own handling.
  void Subclass_WndProc(HWND from, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd() const { return hwnd_; }
  oxbutton& model() { return model_; }
  int Dpi() const { return dpi_; }
  HFONT CaptionFont();
  const Picture* PictureFor(PictureSlot slot);
  // Sets the style's window region; from painting without a redraw.
  void UpdateRegion(bool redraw);
  void SetThemeRegion(HRGN region);

  // Nested message handling keeps the view alive until the outermost returns.
  int depth = 0;
  bool dead = false;

  // OxButtonHost
  void Repaint() override;
  void ApplyRegion() override { UpdateRegion(true); }
  void EnableWindow(bool enabled) override;
  int ScaleWidth() override;
  int ScaleHeight() override;
  bool PointOverButton(float x, float y) override;
  bool CursorOverButton() override;
  bool TrackMouseLeave() override;
  void CreateTooltip() override;
  bool HasCapture() override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void MoveFocus(bool forward) override;
  std::uintptr_t Container() override;
  std::vector<OptionPeer> FormButtons() override;
  bool IsMenu(MenuHandle menu) override;
  void ShowPopupMenu(MenuHandle menu, int x, int y, std::uint32_t flags, std::optional<std::uint32_t> item) override;
  void ShellOpen(const std::wstring& address) override;
  void ShowMessage(const std::wstring& text, const std::wstring& title) override;
  bool LoadHandCursor() override;
  bool ThemesAvailable() override;

  // OxButtonEvents: the windows hear of clicks only.
  void Click() override;

 private:
  void AttachHooks();
  void DetachHooks();
  void LoadSystemColors();
  void SyncWindowText();
  bool SetCursorShape();

  HWND hwnd_;
  oxbutton model_;
  int dpi_ = 96;
  HFONT setFont_ = nullptr;  // from WM_SETFONT, which wins over the Font property
  ui::ScopedGdi<HFONT> ownFont_;
  FontSpec ownFontSpec_;
  int ownFontDpi_ = 0;
  HWND tooltip_ = nullptr;
  HCURSOR hand_ = nullptr;
  HWND form_ = nullptr;  // the hooked parent form
  UINT activateMsg_ = WM_ACTIVATE;
  std::map<std::wstring, Picture> pictures_;
  struct RegionKey {
    int shape = -1, ellipse = 0, width = 0, height = 0;
    bool operator==(const RegionKey&) const = default;
  } region_;
};

void PaintButton(OxView& view, HDC target, int width, int height);
// A picture by resource name (bitmap or icon), or else by file path; empty
// when neither loads.
Picture LoadPictureNamed(const std::wstring& name);

}  // namespace vexa::controls::ox
