#include "cli/utc_time.h"

#include <charconv>
#include <cstdio>

namespace varnok::cli {

std::string UtcTime(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto milliseconds = floor<std::chrono::milliseconds>(time);
  const auto day = floor<days>(milliseconds);
  const year_month_day date(day);
  const hh_mm_ss clock(milliseconds - day);
  char text[32];
  std::snprintf(
      text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
  return text;
}

namespace {

// Reads exactly `width` digits at the front of `text`, then the separator if one is given.
bool TakeNumber(std::string_view& text, std::size_t width, char separator, int& number) {
  if (text.size() < width) return false;
  const char* end = text.data() + width;
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop != end) return false;
  text.remove_prefix(width);
  if (separator == '\0') return true;
  if (text.empty() || text.front() != separator) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::optional<std::chrono::system_clock::time_point> ReadUtcTime(std::string_view text) {
  using namespace std::chrono;
  if (text.ends_with('Z')) text.remove_suffix(1);
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (!TakeNumber(text, 4, '-', year) || !TakeNumber(text, 2, '-', month) ||
      !TakeNumber(text, 2, '\0', day)) {
    return std::nullopt;
  }
  if (!text.empty()) {
    if (text.front() != 'T' && text.front() != ' ') return std::nullopt;
    text.remove_prefix(1);
    if (!TakeNumber(text, 2, ':', hour) || !TakeNumber(text, 2, '\0', minute)) return std::nullopt;
    if (!text.empty()) {
      if (text.front() != ':') return std::nullopt;
      text.remove_prefix(1);
      if (!TakeNumber(text, 2, '\0', second)) return std::nullopt;
    }
  }
  const year_month_day date{std::chrono::year(year),
                            std::chrono::month(static_cast<unsigned>(month)),
                            std::chrono::day(static_cast<unsigned>(day))};
  if (!text.empty() || !date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
}

}  // namespace varnok::cli
