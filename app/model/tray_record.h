#pragma once
// ModTray's record: the shell's 88-byte ANSI notification-icon record as
// AddTrayIcon fills it (32-bit little-endian fields, a 64-byte tip).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexa::app {

struct TrayIconData {
  std::uint32_t cbSize = 88;
  std::uint32_t hWnd = 0;
  std::uint32_t uID = 1;
  std::uint32_t uFlags = 7;              // NIF_MESSAGE | NIF_ICON | NIF_TIP
  std::uint32_t uCallbackMessage = 0x200;  // notifications arrive as WM_MOUSEMOVE
  std::uint32_t hIcon = 0;
  std::array<char, 64> szTip{};

  // The 88 bytes as laid out.
  std::array<std::uint8_t, 88> Bytes() const;
};

// Fills the record for a window, a tip (already in the ANSI code page) and an
// icon: the tip is followed by one NUL and padded with spaces to 64 bytes,
// cut to 64 when longer.
TrayIconData MakeTrayIconData(std::uint32_t window, std::string_view tipAnsi, std::uint32_t icon);

inline constexpr unsigned kTrayCallbackMessage = 0x200;
inline constexpr unsigned kTrayIconId = 1;

// What a tray notification (the mouse message number) asks for.
enum class TrayAction { None, ShowMenu, ShowMainWindow };
TrayAction DecodeTrayNotification(unsigned mouseMessage);

}  // namespace vexa::app
