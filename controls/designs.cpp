#include "controls/designs.h"

namespace vexa::controls {
namespace {

PropertyBag Plate(std::int32_t back) {
  return {{L"ButtonStyle", 4},         {L"BackColor", back},          {L"ForeColor", 0xFFFFFF},
          {L"ForeColorHover", 0xFFFFFF}, {L"PicturePushOnHover", true}, {L"PictureEffectOnOver", 0},
          {L"PictureEffectOnDown", 0},   {L"CaptionEffects", 0},        {L"Mode", 0}};
}

}  // namespace

const PropertyBag& PlateButton() {
  static const PropertyBag bag = Plate(0x404040);
  return bag;
}

const PropertyBag& CloseButton() {
  static const PropertyBag bag = Plate(0xC0);
  return bag;
}

const PropertyBag& MinimizeButton() {
  static const PropertyBag bag = Plate(0x808080);
  return bag;
}

const PropertyBag& MenuButton(bool captionEffect) {
  // The menu colour of the system; the lifted one keeps the style's own scheme.
  static const PropertyBag plain{{L"ButtonStyle", 6}, {L"BackColor", static_cast<std::int32_t>(0x80000004u)},
                                 {L"ColorScheme", 3}, {L"CaptionAlign", 0}, {L"CaptionEffects", 0}};
  static const PropertyBag lifted{{L"ButtonStyle", 6}, {L"BackColor", static_cast<std::int32_t>(0x80000004u)},
                                  {L"CaptionAlign", 0}, {L"CaptionEffects", 1}};
  return captionEffect ? lifted : plain;
}

PropertyBag PlateWithTip(const std::wstring& tip, int icon, bool balloon) {
  PropertyBag bag = PlateButton();
  bag.WriteAlways(L"ToolTip", tip);
  bag.WriteAlways(L"TooltipIcon", icon);
  bag.WriteAlways(L"TooltipType", balloon ? 1 : 0);
  return bag;
}

const PropertyBag& Switch(bool on) {
  static const PropertyBag off{{L"RoundedValue", 0}};
  static const PropertyBag lit{{L"RoundedValue", 0}, {L"Value", 1}};
  return on ? lit : off;
}

PropertyBag SpinnerOn(std::int32_t backColor) { return {{L"BackColor", backColor}}; }

const PropertyBag& RepairBar() {
  static const PropertyBag bag{{L"Scrolling", 3}, {L"BrushStyle", 0}, {L"Color", 0x404040}, {L"Max", 200}};
  return bag;
}

}  // namespace vexa::controls
