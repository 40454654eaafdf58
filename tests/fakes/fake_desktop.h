#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
#include <cwctype>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace vexa::fakes {

class FakeDesktop : public Desktop {
 public:
  std::vector<WindowInfo> TopLevelWindows() const override { return windows; }
  WindowId Foreground() const override { return foreground; }
  std::wstring Title(WindowId id) const override {
    for (const auto& w : windows)
      if (w.id == id) return w.title;
    return {};
  }
  void RequestClose(WindowId id) override { closed.push_back(id); }
  std::wstring UpperCase(std::wstring_view text) const override {
    std::wstring out(text);
    for (auto& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return out;
  }

  std::vector<WindowInfo> windows;
  WindowId foreground = 0;
  std::vector<WindowId> closed;
};

}  // namespace vexa::fakes
