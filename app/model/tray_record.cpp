#include "app/model/tray_record.h"

namespace vexa::app {

namespace {
void Put32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
}  // namespace

std::array<std::uint8_t, 88> TrayIconData::Bytes() const {
  std::array<std::uint8_t, 88> out{};
  const std::uint32_t fields[] = {cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon};
  for (int i = 0; i < 6; ++i) Put32(out.data() + 4 * i, fields[i]);
  for (int i = 0; i < 64; ++i) out[24 + i] = static_cast<std::uint8_t>(szTip[i]);
  return out;
}

TrayIconData MakeTrayIconData(std::uint32_t window, std::string_view tipAnsi, std::uint32_t icon) {
  TrayIconData d;
  d.hWnd = window;
  d.hIcon = icon;
  d.szTip.fill(' ');
  std::size_t n = tipAnsi.size() < 64 ? tipAnsi.size() : 64;
  for (std::size_t i = 0; i < n; ++i) d.szTip[i] = tipAnsi[i];
  if (n < 64) d.szTip[n] = '\0';
  return d;
}

TrayAction DecodeTrayNotification(unsigned mouseMessage) {
  switch (mouseMessage) {
    case 0x205:  // WM_RBUTTONUP
      return TrayAction::ShowMenu;
    case 0x203:  // WM_LBUTTONDBLCLK
      return TrayAction::ShowMainWindow;
    default:
      return TrayAction::None;
  }
}

}  // namespace vexa::app
