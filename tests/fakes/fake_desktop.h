#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
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

  std::vector<WindowInfo> windows;
  WindowId foreground = 0;
  std::vector<WindowId> closed;
};

}  // namespace vexa::fakes
