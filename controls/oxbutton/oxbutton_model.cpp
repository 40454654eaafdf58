#include "controls/oxbutton/oxbutton_model.h"

#include <cwctype>

namespace vexa::controls {
namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kAltMask = 4;
constexpr std::int16_t kKeyEnter = 13, kKeySpace = 32, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

// Every persisted property with its key, in the order of the accessors.
template <typename F>
void ForEachPersisted(F&& f) {
  using P = OxButtonProperties;
  f(L"BackColor", &P::BackColor);
  f(L"ButtonStyle", &P::ButtonStyle);
  f(L"Caption", &P::Caption);
  f(L"CaptionAlign", &P::CaptionAlign);
  f(L"DropDownSymbol", &P::DropDownSymbol);
  f(L"DropDownSeparator", &P::DropDownSeparator);
  f(L"DisabledPictureMode", &P::DisabledPictureMode);
  f(L"Enabled", &P::Enabled);
  f(L"Font", &P::Font);
  f(L"ForeColor", &P::ForeColor);
  f(L"ForeColorHover", &P::ForeColorHover);
  f(L"HandPointer", &P::HandPointer);
  f(L"MaskColor", &P::MaskColor);
  f(L"Mode", &P::Mode);
  f(L"MouseIcon", &P::MouseIcon);
  f(L"MousePointer", &P::MousePointer);
  f(L"PictureNormal", &P::PictureNormal);
  f(L"PictureHot", &P::PictureHot);
  f(L"PictureDown", &P::PictureDown);
  f(L"PictureAlign", &P::PictureAlign);
  f(L"PictureShadow", &P::PictureShadow);
  f(L"PictureEffectOnOver", &P::PictureEffectOnOver);
  f(L"PictureEffectOnDown", &P::PictureEffectOnDown);
  f(L"PicturePushOnHover", &P::PicturePushOnHover);
  f(L"PictureOpacity", &P::PictureOpacity);
  f(L"PictureOpacityOnOver", &P::PictureOpacityOnOver);
  f(L"RightToLeft", &P::RightToLeft);
  f(L"CaptionEffects", &P::CaptionEffects);
  f(L"ShowFocusRect", &P::ShowFocusRect);
  f(L"UseMaskColor", &P::UseMaskColor);
  f(L"Value", &P::value);
  f(L"TooltipTitle", &P::TooltipTitle);
  f(L"ToolTip", &P::ToolTip);
  f(L"TooltipBackColor", &P::TooltipBackColor);
  f(L"TooltipIcon", &P::ToolTipIcon);
  f(L"TooltipType", &P::ToolTipType);
  f(L"ColorScheme", &P::ColorScheme);
}

}  // namespace

OxButtonProperties OxButtonDefaults(const SystemColors& sys) {
  OxButtonProperties d;
  d.BackColor = sys[15];
  d.ForeColor = d.ForeColorHover = TranslateColor(sys_color::kButtonText, sys);
  d.TooltipBackColor = TranslateColor(sys_color::kInfoBack, sys);
  return d;
}

wchar_t AccessKeyOf(const std::wstring& caption) {
  auto lower = [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))); };
  const std::size_t n = caption.size();
  if (n < 2) return 0;
  std::size_t p = caption.find(L'&');
  if (p == std::wstring::npos || p + 1 >= n) return 0;
  if (caption[p + 1] != L'&') return lower(caption[p + 1]);
  // A literal "&&": the next "&" is looked at once.
  std::size_t q = caption.find(L'&', p + 2);
  if (q == std::wstring::npos || q + 1 >= n || caption[q + 1] == L'&') return 0;
  return lower(caption[q + 1]);
}

oxbutton::oxbutton(OxButtonHost& host, OxButtonEvents& events, const SystemColors& sys)
    : host_(host), events_(events), sys_(sys), props_(OxButtonDefaults(sys)) {}

void oxbutton::InitNew(const std::wstring& name) {
  props_ = OxButtonDefaults(sys_);
  props_.ButtonStyle = 3;
  props_.Caption = name;
  props_.Font = FontSpec{};
  accessKey_ = AccessKeyOf(name);
  SetStyleDefaults();
  host_.ApplyRegion();
  RedrawButton();
}

void oxbutton::Load(const PropertyBag& bag) {
  Props d = OxButtonDefaults(sys_);
  d.Caption = props_.Caption;
  ForEachPersisted([&](const wchar_t* key, auto field) { props_.*field = bag.Read(key, d.*field); });
  rtlLayout_ = bag.Read(L"RightToLeft", false);
  if (props_.Mode == 0) props_.value = false;
  accessKey_ = AccessKeyOf(props_.Caption);
  if (props_.HandPointer) props_.HandPointer = host_.LoadHandCursor();
  host_.EnableWindow(props_.Enabled);
  host_.ApplyRegion();
  RedrawButton();
}

void oxbutton::Save(PropertyBag& bag) const {
  const Props d = OxButtonDefaults(sys_);
  ForEachPersisted([&](const wchar_t* key, auto field) { bag.Write(key, props_.*field, d.*field); });
  bag.WriteAlways(L"CaptionEffects", props_.CaptionEffects);
}

void oxbutton::SetStyleDefaults() {
  if (auto back = StyleBackColor(props_.ButtonStyle, props_.ColorScheme, sys_)) props_.BackColor = *back;
  props_.ForeColor = Translate(sys_color::kButtonText);
  const int s = props_.ButtonStyle;
  props_.ShowFocusRect = s == 0 || s == 1 || s == 9;
  if (s == 4) props_.PicturePushOnHover = true;
}

void oxbutton::RedrawButton() {
  const int s = props_.ButtonStyle;
  if (props_.Mode != 0 && s != 0 && s != 6 && props_.value) state_ = 2;
  host_.Repaint();
}

void oxbutton::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  RedrawButton();
}

void oxbutton::MaybeCreateTooltip() {
  if (props_.Enabled && !popupShown_ && state_ != 2) host_.CreateTooltip();
}

void oxbutton::MouseMove(float x, float y) {
  if (host_.PointOverButton(x, y)) {
    inside_ = true;
    if (trackMouse_) host_.TrackMouseLeave();
    events_.MouseEnter();
  } else {
    inside_ = false;
  }
  if (spaceHeld_) return;
  if (!inside_) {
    SetState(0);
  } else if (leftHeld_) {
    SetState(2);
  } else if (state_ != 1) {
    state_ = 1;
    RedrawButton();
    MaybeCreateTooltip();
  }
}

void oxbutton::MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  lastDown_ = {button, shift, x, y};
  if (button != kLeftButton && !popupShown_) return;
  leftHeld_ = true;
  focused_ = true;
  if (!spaceHeld_ && state_ != 2) {
    state_ = 2;
    RedrawButton();
  }
  if (!popupMode_)
    events_.MouseDown(button, shift, x, y);
  else if (!popupShown_)
    OpenPopupMenu();
}

void oxbutton::MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  if (popupMode_) {
    leftHeld_ = popupShown_ = false;
    state_ = 0;
    RedrawButton();
    return;
  }
  if (button == kLeftButton) {
    leftHeld_ = false;
    if (x > 0 && y > 0 && x < host_.ScaleWidth() && y < host_.ScaleHeight()) {
      if (props_.Mode == 1 || props_.Mode == 2) Toggle();
      state_ = 0;
      RedrawButton();
      events_.Click();
    }
  }
  events_.MouseUp(button, shift, x, y);
}

void oxbutton::DoubleClick() {
  host_.SetCapture();
  state_ = 2;
  RedrawButton();
  const int opened = popupOpens_;
  MouseDown(lastDown_.button, lastDown_.shift, lastDown_.x, lastDown_.y);
  if (!popupMode_)
    events_.DblClick();
  else if (!popupShown_ && popupOpens_ == opened)  // one double click opens the menu once
    OpenPopupMenu();
}

void oxbutton::MouseLeft() {
  inside_ = false;
  if (popupMode_) {
    if (popupPending_) {
      popupPending_ = false;
      popupShown_ = true;
      return;
    }
    popupShown_ = false;
  }
  if (spaceHeld_) return;
  SetState(0);
  events_.MouseLeave();
}

// Mode 1 flips the value; Mode 2 selects this option of its group.
void oxbutton::Toggle() {
  if (props_.Mode == 1) {
    Set(&Props::value, !props_.value);
  } else if (props_.Mode == 2) {
    ClearOptionGroup();
    Set(&Props::value, true);
  }
}

void oxbutton::ClearOptionGroup() {
  const std::uintptr_t container = host_.Container();
  for (const OptionPeer& peer : host_.FormButtons())
    if (peer.button && peer.button != this && peer.container == container && peer.button->props_.Mode == 2)
      peer.button->Set(&Props::value, false);
}

void oxbutton::KeyDown(std::int16_t key, std::int16_t shift) {
  if (key == kKeyEnter) {
    events_.Click();
  } else if (key == kKeySpace) {
    if (shift & kAltMask) return;  // Alt+Space belongs to the window menu
    if (leftHeld_) {
      SetState(inside_ ? 2 : 0);
    } else {
      // A held key repeats; only its first press toggles.
      if (!spaceHeld_) Toggle();
      spaceHeld_ = true;
      state_ = 2;
      RedrawButton();
    }
    if (!host_.HasCapture()) {
      host_.ReleaseCapture();
      host_.SetCapture();
    }
  } else if (key >= kKeyLeft && key <= kKeyDown) {
    host_.MoveFocus(key == kKeyRight || key == kKeyDown);
  } else if (spaceHeld_) {
    spaceHeld_ = false;
    state_ = 0;
    RedrawButton();
  }
  events_.KeyDown(key, shift);
}

void oxbutton::KeyUp(std::int16_t key, std::int16_t shift) {
  if (key != kKeySpace) return;
  host_.ReleaseCapture();
  if (!inside_)
    SetState(0);
  else if (leftHeld_)
    SetState(2);
  else
    SetState(1);
  if (spaceHeld_ && !leftHeld_) events_.Click();
  events_.KeyUp(key, shift);
  spaceHeld_ = leftHeld_ = false;
}

void oxbutton::KeyPress(std::int16_t ascii) { events_.KeyPress(ascii); }

void oxbutton::AccessKeyPressed(bool enterOrEscape) {
  if (!props_.Enabled) return;
  spaceHeld_ = leftHeld_ = false;
  if (props_.Mode == 1 || props_.Mode == 2) {
    if (enterOrEscape) return;
    Toggle();
  }
  RedrawButton();
  events_.Click();
}

void oxbutton::GotFocus() {
  focused_ = true;
  RedrawButton();
}

void oxbutton::LostFocus() {
  focused_ = leftHeld_ = spaceHeld_ = false;
  state_ = parentActive_ && inside_ ? 1 : 0;
  RedrawButton();
}

void oxbutton::ParentActivated(bool active) {
  if (!active) leftHeld_ = spaceHeld_ = focused_ = false;
  parentActive_ = active;
  state_ = 0;
  RedrawButton();
}

void oxbutton::SetDisplayAsDefault(bool on) {
  if (displayAsDefault_ == on) return;
  displayAsDefault_ = on;
  RedrawButton();
}

void oxbutton::SetPopupMenu(MenuHandle menu, std::int32_t align, std::uint32_t flags, std::optional<std::uint32_t> item) {
  if (!host_.IsMenu(menu)) return;
  menu_ = menu;
  menuAlign_ = align;
  menuFlags_ = flags;
  menuDefault_ = item;
  popupMode_ = true;
}

void oxbutton::UnsetPopupMenu() {
  menu_ = 0;
  menuDefault_.reset();
  popupMode_ = popupShown_ = false;
}

void oxbutton::OpenPopupMenu() {
  ++popupOpens_;
  popupPending_ = true;
  auto anchor = PopupPlacement(menuAlign_, host_.ScaleWidth(), host_.ScaleHeight(), menuFlags_);
  if (!anchor) {
    popupPending_ = false;
    return;
  }
  menuFlags_ = anchor->flags;
  host_.ShowPopupMenu(menu_, anchor->x, anchor->y, anchor->flags, menuDefault_);
  if (host_.CursorOverButton()) {
    popupShown_ = true;  // the click that closed the menu landed on the button
    return;
  }
  leftHeld_ = inside_ = spaceHeld_ = popupShown_ = popupPending_ = false;
  state_ = 0;
  RedrawButton();
}

void oxbutton::OpenWebsite(const std::wstring& address) { host_.ShellOpen(address); }

void oxbutton::About() {
  host_.ShowMessage(L"oxbutton: a skinned push, check and option button in fourteen styles.", L"About");
}

PaintPlan oxbutton::PlanPaint(int width, int height) {
  if (props_.ButtonStyle == 13) {
    if (!themes_) themes_ = host_.ThemesAvailable();
    if (!*themes_) {
      props_.ButtonStyle = 2;
      props_.ColorScheme = 0;
      SetStyleDefaults();
      host_.ApplyRegion();
    }
  }
  const int s = props_.ButtonStyle;
  if (props_.Mode != 0 && s != 0 && s != 6 && props_.value) state_ = 2;
  // The toolbar style keeps its own caption colours.
  if (s == 6) props_.ForeColor = state_ == 2 ? 0xFFFFFF : Translate(sys_color::kButtonText);
  FaceInput in;
  in.style = s;
  in.state = state_;
  in.mode = props_.Mode;
  in.colorScheme = props_.ColorScheme;
  in.value = props_.value;
  in.inside = inside_;
  in.enabled = props_.Enabled;
  in.focused = focused_;
  in.parentActive = parentActive_;
  in.showFocusRect = props_.ShowFocusRect;
  in.displayAsDefault = displayAsDefault_;
  in.back = Translate(props_.BackColor);
  in.width = width;
  in.height = height;
  return PlanFace(in);
}

CaptionLook oxbutton::CurrentCaptionLook() const {
  CaptionLook look;
  const OleColor gray = Translate(sys_color::kGrayText);
  look.text = !props_.Enabled ? gray : Translate(state_ == 1 ? props_.ForeColorHover : props_.ForeColor);
  look.glyph = !props_.Enabled ? gray : Translate(props_.ForeColor);
  const OleColor back = Translate(props_.BackColor);
  switch (props_.CaptionEffects) {
    case 1: look.effect = ShiftColor(back, 0.14); look.effectOffsets = {{-1, -1}}; break;
    case 2: look.effect = ShiftColor(back, 0.14); look.effectOffsets = {{1, 1}}; break;
    case 3: look.effect = 0xC0C0C0; look.effectOffsets = {{1, 1}}; break;
    case 4: look.effect = ShiftColor(back, 0.10); look.effectOffsets = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}; break;
    case 5: look.effect = ShiftColor(back, -0.10); look.effectOffsets = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}; break;
    default: break;
  }
  return look;
}

PictureSlot oxbutton::CurrentPicture() const {
  auto first = [&](std::initializer_list<std::pair<const std::wstring*, PictureSlot>> order) {
    for (const auto& [name, slot] : order)
      if (!name->empty()) return slot;
    return PictureSlot::None;
  };
  const Props& p = props_;
  if (state_ == 2 || Checked())
    return first({{&p.PictureDown, PictureSlot::Down}, {&p.PictureHot, PictureSlot::Hot}, {&p.PictureNormal, PictureSlot::Normal}});
  if (state_ == 1) return first({{&p.PictureHot, PictureSlot::Hot}, {&p.PictureNormal, PictureSlot::Normal}});
  return first({{&p.PictureNormal, PictureSlot::Normal}});
}

}  // namespace vexa::controls
