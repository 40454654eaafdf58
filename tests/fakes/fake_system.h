#pragma once
// In-memory stand-ins for the platform interfaces, for host tests.
#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/shell.h"
#include "tests/fakes/fake_file_system.h"

namespace vexa::fakes {

class FakeClock : public Clock {
 public:
  std::wstring ShortDate() const override { return shortDate; }
  LocalTime Now() const override { return now; }
  std::uint64_t MonotonicMs() const override { return ms; }

  std::wstring shortDate = L"05/12/2026";
  LocalTime now{2026, 12, 5, 14, 30, 15};
  std::uint64_t ms = 0;
};

class FakeEnvironment : public Environment {
 public:
  std::wstring Get(std::wstring_view name) const override {
    auto it = vars.find(FoldCase(name));
    return it == vars.end() ? std::wstring() : it->second;
  }
  std::wstring ExecutablePath() const override { return exePath; }

  void Set(std::wstring_view name, std::wstring value) { vars[FoldCase(name)] = std::move(value); }

  std::map<std::wstring, std::wstring> vars;
  std::wstring exePath = L"C:\\Program Files\\Vexa\\VexaUtility.exe";
};

class FakeShell : public Shell {
 public:
  struct Call {
    std::wstring file, folder;
  };
  void OpenDocument(const std::wstring& file, const std::wstring& folder) override {
    opened.push_back({file, folder});
  }
  std::vector<Call> opened;
};

}  // namespace vexa::fakes
