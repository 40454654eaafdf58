#pragma once
// In-memory stand-ins for the guard pages' list controls, for host tests.
#include <optional>
#include <string>
#include <vector>

#include "guard/keyword_watch_page.h"
#include "guard/logger_block_page.h"
#include "guard/window_list_page.h"

namespace vexa::fakes {

class FakeRowList : public guard::RowList {
 public:
  void AddRow(const std::wstring& text) override { rows.push_back(text); }
  void Clear() override { rows.clear(); }
  std::vector<std::wstring> rows;
};

class FakeLevel : public guard::LevelSource {
 public:
  explicit FakeLevel(int value = 80) : value(value) {}
  int Value() const override {
    ++reads;
    return value;
  }
  int value;
  mutable int reads = 0;
};

class FakeWindowLines : public guard::WindowLines {
 public:
  struct Line {
    std::wstring text;
    WindowId data;
  };
  void Clear() override { lines.clear(); }
  void Add(const std::wstring& text, WindowId data) override { lines.push_back({text, data}); }
  std::optional<WindowId> SelectedData() const override {
    if (selected < 0 || selected >= static_cast<int>(lines.size())) return std::nullopt;
    return lines[selected].data;
  }
  std::vector<Line> lines;
  int selected = -1;
};

class FakeStringList : public guard::StringList {
 public:
  FakeStringList() = default;
  explicit FakeStringList(std::vector<std::wstring> items) : items(std::move(items)) {}
  int Count() const override { return static_cast<int>(items.size()); }
  std::wstring Item(int i) const override { return items.at(i); }
  void Add(const std::wstring& text) override { items.push_back(text); }
  void RemoveAt(int i) override {
    items.erase(items.begin() + i);
    selected = -1;
  }
  int SelectedIndex() const override { return selected; }
  std::vector<std::wstring> items;
  int selected = -1;
};

class FakeTitleAlert : public guard::TitleAlert {
 public:
  void Show(const std::wstring& message) override { shown.push_back(message); }
  std::vector<std::wstring> shown;
};

}  // namespace vexa::fakes
