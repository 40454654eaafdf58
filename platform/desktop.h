#pragma once
#include <cstdint>
#include <cwctype>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// Opaque id of a top-level window (its handle value on Windows).
using WindowId = std::uintptr_t;

struct WindowInfo {
  WindowId id = 0;
  std::wstring title;
  std::wstring className;
  bool visible = false;
};

// The desktop's top-level windows.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Top-level windows in Z order, topmost first.
  virtual std::vector<WindowInfo> TopLevelWindows() const = 0;

  // The foreground window, or 0 when there is none.
  virtual WindowId Foreground() const = 0;

  // Title of a window; empty when it has none or no longer exists.
  virtual std::wstring Title(WindowId window) const = 0;

  // Asks a window to close as its system menu's Close would
  // (WM_SYSCOMMAND, SC_CLOSE). Never waits on a window that does not answer.
  virtual void RequestClose(WindowId window) = 0;

  // The text in capitals by the system's upper-case mapping (the one window
  // titles are compared with). The C library's mapping unless the platform
  // has its own.
  virtual std::wstring UpperCase(std::wstring_view text) const {
    std::wstring out(text);
    for (auto& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    return out;
  }
};

}  // namespace vexa
