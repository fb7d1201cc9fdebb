// The driver's device-interface classes and GUID helpers.
#include "platform/camera_model/interface_classes.h"

#include <cstdio>

#include "platform/sim/internals.h"

namespace sim {

namespace {
using camera_model::AsGuid;
using Classes = camera_model::ClassGuid;
constexpr const Classes* kClasses = camera_model::kInterfaceClasses;
}  // namespace

const win::GUID kInterfaceClasses[8] = {
    AsGuid<win::GUID>(kClasses[0]), AsGuid<win::GUID>(kClasses[1]), AsGuid<win::GUID>(kClasses[2]),
    AsGuid<win::GUID>(kClasses[3]), AsGuid<win::GUID>(kClasses[4]), AsGuid<win::GUID>(kClasses[5]),
    AsGuid<win::GUID>(kClasses[6]), AsGuid<win::GUID>(kClasses[7]),
};

bool SameGuid(const win::GUID& a, const win::GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}

namespace {
void PutHex(std::string& out, std::uint32_t value, int digits) {
  static const char kDigits[] = "0123456789abcdef";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}
}  // namespace

std::string GuidText(const win::GUID& guid) {
  std::string out = "{";
  PutHex(out, guid.Data1, 8);
  out += '-';
  PutHex(out, guid.Data2, 4);
  out += '-';
  PutHex(out, guid.Data3, 4);
  out += '-';
  for (int i = 0; i < 8; ++i) {
    if (i == 2) out += '-';
    PutHex(out, guid.Data4[i], 2);
  }
  out += '}';
  return out;
}

int ClassIndexOf(const win::GUID& guid) {
  for (int i = 0; i < 8; ++i)
    if (SameGuid(guid, kInterfaceClasses[i])) return i;
  return -1;
}

}  // namespace sim
