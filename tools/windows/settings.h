// The program's saved window position in HKCU, read and written as a test
// sets up and checks it.
#pragma once
#include <cstdint>

namespace drive {

// Removes HKCU\Software\Kelvane\zeltfw with everything under it.
void ForgetSettings();
void SavePosition(std::int32_t x, std::int32_t y);
// False when a value is missing; missing values are left unchanged.
bool ReadPosition(std::int32_t* x, std::int32_t* y);

}  // namespace drive
