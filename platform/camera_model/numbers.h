// Numbers as a person writes them for a camera (a fault's status code, a
// model code in the Virtual camera window): decimal or 0x hexadecimal.
#pragma once
#include <cstdint>
#include <string>

namespace camera_model {

// Within [min, max] (min at least 0). False with a reason naming `what` in
// error, value unchanged, for anything else.
bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, const char* what, std::int64_t& value,
                 std::string& error);

}  // namespace camera_model
