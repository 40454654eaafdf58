#pragma once
// oxbutton without the window system: its properties and their persistence,
// the visual state (0 normal, 1 hot, 2 down), the mouse, keyboard, focus and
// activation transitions, its events, option groups and the popup-menu cycle.
// What it needs from the windows goes through OxButtonHost; its events go to
// OxButtonEvents.
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "controls/oxbutton/oxbutton_paint.h"
#include "controls/property_bag.h"

namespace vexa::controls {

class oxbutton;

struct OxButtonProperties {
  OleColor BackColor = 0;
  std::int32_t ButtonStyle = 1;
  std::wstring Caption;
  std::int32_t CaptionAlign = 1;
  std::int32_t DropDownSymbol = 0;
  bool DropDownSeparator = false;
  std::int32_t DisabledPictureMode = 0;
  bool Enabled = true;
  FontSpec Font;
  OleColor ForeColor = 0;
  OleColor ForeColorHover = 0;
  bool HandPointer = false;
  OleColor MaskColor = 0xE0E0E0;
  std::int32_t Mode = 0;  // 0 push button, 1 check button, 2 option button
  std::wstring MouseIcon;
  std::int16_t MousePointer = 0;
  std::wstring PictureNormal, PictureHot, PictureDown;  // resource names
  std::int32_t PictureAlign = 1;
  bool PictureShadow = false;
  std::int32_t PictureEffectOnOver = 1;
  std::int32_t PictureEffectOnDown = 2;
  bool PicturePushOnHover = false;
  std::uint8_t PictureOpacity = 255;
  std::uint8_t PictureOpacityOnOver = 255;
  bool RightToLeft = false;
  std::int32_t CaptionEffects = 0;
  bool ShowFocusRect = false;
  bool UseMaskColor = true;
  bool value = false;
  std::wstring TooltipTitle;
  std::wstring ToolTip;
  OleColor TooltipBackColor = 0;
  std::int32_t ToolTipIcon = 0;  // 0 none, 1 information, 2 warning, 3 error
  std::int32_t ToolTipType = 0;  // 0 rectangle, 1 balloon
  std::int32_t ColorScheme = 0;
  friend bool operator==(const OxButtonProperties&, const OxButtonProperties&) = default;
};

// The values a record without the key gives, and that saving leaves out.
OxButtonProperties OxButtonDefaults(const SystemColors& sys);

// The access key of a caption: the lower-cased character after the first
// lone "&", or 0 for none.
wchar_t AccessKeyOf(const std::wstring& caption);

// Button and Shift arguments of the events: 1 left, 2 right, 4 middle;
// 1 Shift, 2 Ctrl, 4 Alt. X and Y are client pixels.
class OxButtonEvents {
 public:
  virtual ~OxButtonEvents() = default;
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {}  // never raised
  virtual void MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {}
  virtual void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {}
  virtual void KeyDown(std::int16_t keyCode, std::int16_t shift) {}
  virtual void KeyUp(std::int16_t keyCode, std::int16_t shift) {}
  virtual void KeyPress(std::int16_t keyAscii) {}
};

using MenuHandle = std::uintptr_t;

// Another button of the same form and the window that contains it.
struct OptionPeer {
  oxbutton* button = nullptr;
  std::uintptr_t container = 0;
};

class OxButtonHost {
 public:
  virtual ~OxButtonHost() = default;
  virtual void Repaint() = 0;
  virtual void ApplyRegion() = 0;
  virtual void EnableWindow(bool enabled) = 0;
  virtual int ScaleWidth() = 0;
  virtual int ScaleHeight() = 0;
  // Whether the window under a client point, or under the cursor, is the button.
  virtual bool PointOverButton(float x, float y) = 0;
  virtual bool CursorOverButton() = 0;
  virtual bool TrackMouseLeave() = 0;  // false when the system cannot
  virtual void CreateTooltip() = 0;
  virtual bool HasCapture() = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual void MoveFocus(bool forward) = 0;
  virtual std::uintptr_t Container() = 0;
  virtual std::vector<OptionPeer> FormButtons() = 0;
  virtual bool IsMenu(MenuHandle menu) = 0;
  // Modal: returns when the menu has closed.
  virtual void ShowPopupMenu(MenuHandle menu, int x, int y, std::uint32_t flags, std::optional<std::uint32_t> defaultItem) = 0;
  virtual void ShellOpen(const std::wstring& address) = 0;
  virtual void ShowMessage(const std::wstring& text, const std::wstring& title) = 0;
  virtual bool LoadHandCursor() = 0;
  virtual bool ThemesAvailable() = 0;
};

// Colours and offsets of the caption for the current look.
struct CaptionLook {
  OleColor text = 0;
  OleColor glyph = 0;
  OleColor effect = 0;
  std::vector<std::pair<int, int>> effectOffsets;  // empty: no caption effect
};

// Which picture a state shows.
enum class PictureSlot { None, Normal, Hot, Down };

class oxbutton {
 public:
  using Props = OxButtonProperties;

  oxbutton(OxButtonHost& host, OxButtonEvents& events, const SystemColors& sys = ClassicSystemColors());
  oxbutton(const oxbutton&) = delete;
  oxbutton& operator=(const oxbutton&) = delete;

  const Props& Properties() const { return props_; }
  // Sets one property with its setter's effects, and repaints.
  template <typename T, typename V>
  void Set(T Props::*field, V v) {
    SetField(field, static_cast<T>(v));
  }

  // A new instance placed on a form; loading and saving a persisted record.
  void InitNew(const std::wstring& name);
  // A record without a caption keeps the current one.
  void Load(const PropertyBag& bag);
  void Save(PropertyBag& bag) const;
  void SetSystemColors(const SystemColors& sys) { sys_ = sys; }
  const SystemColors& Colors() const { return sys_; }
  OleColor Translate(OleColor c) const { return TranslateColor(c, sys_); }
  void SetStyleDefaults();

  // Input, as the window reports it.
  void MouseMove(float x, float y);
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void DoubleClick();
  void MouseLeft();
  void KeyDown(std::int16_t keyCode, std::int16_t shift);
  void KeyUp(std::int16_t keyCode, std::int16_t shift);
  void KeyPress(std::int16_t keyAscii);
  void AccessKeyPressed(bool enterOrEscape);
  void GotFocus();
  void LostFocus();
  void ParentActivated(bool active);
  void SetDisplayAsDefault(bool on);
  void SetTrackMouseAvailable(bool on) { trackMouse_ = on; }

  // Methods.
  void SetPopupMenu(MenuHandle menu, std::int32_t align, std::uint32_t flags, std::optional<std::uint32_t> defaultItem = {});
  void UnsetPopupMenu();
  void OpenWebsite(const std::wstring& address);
  void About();

  // Painting.
  void RedrawButton();
  PaintPlan PlanPaint(int width, int height);  // the current face; may fall back from style 13
  CaptionLook CurrentCaptionLook() const;
  PictureSlot CurrentPicture() const;

  int State() const { return state_; }
  wchar_t AccessKey() const { return accessKey_; }
  bool Inside() const { return inside_; }
  bool Focused() const { return focused_; }
  bool ParentActive() const { return parentActive_; }
  bool PopupMode() const { return popupMode_; }
  bool PopupShown() const { return popupShown_; }
  bool RightToLeftLayout() const { return rtlLayout_; }
  bool Checked() const { return props_.Mode != 0 && props_.value; }

 private:
  template <typename T>
  void SetField(T Props::*field, T v);
  void SetState(int state);
  void ClearOptionGroup();
  void Toggle();
  void OpenPopupMenu();
  void MaybeCreateTooltip();

  OxButtonHost& host_;
  OxButtonEvents& events_;
  SystemColors sys_;
  Props props_;
  int state_ = 0;
  bool leftHeld_ = false, inside_ = false, focused_ = false, spaceHeld_ = false, parentActive_ = true;
  bool trackMouse_ = true, rtlLayout_ = false, displayAsDefault_ = false;
  std::optional<bool> themes_;
  wchar_t accessKey_ = 0;
  struct Down {
    std::int16_t button = 0, shift = 0;
    float x = 0, y = 0;
  } lastDown_;
  MenuHandle menu_ = 0;
  std::int32_t menuAlign_ = 0;
  std::uint32_t menuFlags_ = 0;
  std::optional<std::uint32_t> menuDefault_;
  bool popupMode_ = false, popupShown_ = false, popupPending_ = false;
  int popupOpens_ = 0;
};

template <typename T>
void oxbutton::SetField(T Props::*field, T v) {
  props_.*field = v;
  if constexpr (std::is_same_v<T, std::int32_t>) {
    if (field == &Props::ButtonStyle) {
      SetStyleDefaults();
      host_.ApplyRegion();
    } else if (field == &Props::Mode) {
      if (v == 0) state_ = 0;
    }
  } else if constexpr (std::is_same_v<T, bool>) {
    if (field == &Props::value) {
      if (props_.Mode == 0) props_.value = false;
      if (!props_.value) state_ = 0;
    } else if (field == &Props::Enabled) {
      host_.EnableWindow(v);
      if (!v) state_ = 0;  // a disabled button never keeps the hot or pressed look
    } else if (field == &Props::HandPointer) {
      if (v) {
        props_.MousePointer = 0;
        props_.HandPointer = host_.LoadHandCursor();
      }
    } else if (field == &Props::RightToLeft) {
      rtlLayout_ = v;
    }
  } else if constexpr (std::is_same_v<T, std::wstring>) {
    if (field == &Props::Caption) accessKey_ = AccessKeyOf(v);
  }
  RedrawButton();
}

}  // namespace vexa::controls
