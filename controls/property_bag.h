#pragma once
// The persisted values of one control instance: key and value pairs, keys
// compared without regard to case. A control loads by reading every key with
// its default (a missing key, or one holding another kind of value, gives the
// default) and saves by writing every key with its default, so that a value
// equal to its default is left out of the record.
#include <cstdint>
#include <cwctype>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace vexa::controls {

// A font as a control persists it.
struct FontSpec {
  std::wstring name = L"Tahoma";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Numbers (colours, 16- and 32-bit integers, bytes) are kept as 32-bit
// integers; pictures are kept by the name of their resource.
using PropertyValue = std::variant<bool, std::int32_t, std::wstring, FontSpec>;

class PropertyBag {
 public:
  PropertyBag() = default;
  PropertyBag(std::initializer_list<std::pair<std::wstring, PropertyValue>> entries) {
    for (const auto& [key, value] : entries) Put(key, value);
  }

  template <typename T>
  T Read(std::wstring_view key, const T& def) const {
    const PropertyValue* v = Find(key);
    if (!v) return def;
    if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::wstring> || std::is_same_v<T, FontSpec>) {
      const T* t = std::get_if<T>(v);
      return t ? *t : def;
    } else {
      // Any integer type reads the stored 32-bit number.
      const std::int32_t* n = std::get_if<std::int32_t>(v);
      return n ? static_cast<T>(*n) : def;
    }
  }

  // Stores the value, or removes the key when the value equals the default.
  template <typename T>
  void Write(std::wstring_view key, const T& value, const T& def) {
    if (value == def)
      Remove(key);
    else
      WriteAlways(key, value);
  }

  template <typename T>
  void WriteAlways(std::wstring_view key, const T& value) {
    if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::wstring> || std::is_same_v<T, FontSpec>)
      Put(key, value);
    else
      Put(key, static_cast<std::int32_t>(value));
  }

  bool Has(std::wstring_view key) const { return Find(key) != nullptr; }
  std::size_t Size() const { return entries_.size(); }

  void Remove(std::wstring_view key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (SameKey(it->first, key)) {
        entries_.erase(it);
        return;
      }
  }

 private:
  static bool SameKey(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::towlower(static_cast<std::wint_t>(a[i])) != std::towlower(static_cast<std::wint_t>(b[i]))) return false;
    return true;
  }
  const PropertyValue* Find(std::wstring_view key) const {
    for (const auto& [k, v] : entries_)
      if (SameKey(k, key)) return &v;
    return nullptr;
  }
  void Put(std::wstring_view key, PropertyValue value) {
    for (auto& [k, v] : entries_)
      if (SameKey(k, key)) {
        v = std::move(value);
        return;
      }
    entries_.emplace_back(std::wstring(key), std::move(value));
  }

  std::vector<std::pair<std::wstring, PropertyValue>> entries_;
};

}  // namespace vexa::controls
