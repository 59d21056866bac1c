// Names in scripts are case-insensitive: functions, arguments and variables alike.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace frameserve {

inline char LowerChar(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline std::string Lowercase(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerChar);
  return lower;
}

inline bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

}  // namespace frameserve
