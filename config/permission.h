// The camera driver's memory-write permission ("AllowEEPROMWrite" under the
// Parameters key of the driver service chosen by the camera's model code) and
// the administrator check it needs. Keys are never created.
#pragma once
#include <cstdint>

namespace config {

bool IsAdministrator();

// Key under HKEY_LOCAL_MACHINE for a model code, or nullptr when it has none.
const char* DriverServiceKey(std::uint16_t modelCode);

// identity: the kept 10-byte identity block. True when the value was written.
bool SetDriverWritePermission(const std::uint8_t* identity);
// Failures are not reported.
void RemoveDriverWritePermission(const std::uint8_t* identity);

}  // namespace config
