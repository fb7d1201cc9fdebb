#include "platform/camera_model/numbers.h"

#include <cctype>
#include <cstdlib>

namespace camera_model {

bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, const char* what, std::int64_t& value,
                 std::string& error) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  bool ok = !digits.empty() && digits.size() <= (hex ? 15u : 18u);  // fits an int64_t
  for (char c : digits) ok = ok && (hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '9'));
  const long long number = ok ? std::strtoll(digits.c_str(), nullptr, hex ? 16 : 10) : 0;
  if (!ok || number < min || number > max) {
    error =
        std::string("bad ") + what + " \"" + text + "\" (" + std::to_string(min) + " to " + std::to_string(max) + ")";
    return false;
  }
  value = number;
  return true;
}

}  // namespace camera_model
