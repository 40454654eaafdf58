#pragma once
#include <cstdint>
#include <string>

namespace vexa {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  // Today's date in the user's short date format (no time of day).
  virtual std::wstring ShortDate() const = 0;

  // Local date and time of day.
  virtual LocalTime Now() const = 0;

  // Milliseconds on a monotonic clock; only differences mean anything.
  virtual std::uint64_t MonotonicMs() const = 0;
};

}  // namespace vexa
