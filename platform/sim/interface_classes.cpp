// The driver's device-interface classes and GUID helpers.
#include <cstdio>

#include "platform/sim/internals.h"

namespace sim {

const win::GUID kInterfaceClasses[8] = {
    {0x2BCDDA06, 0xF3C9, 0x4AE6, {0xB2, 0x57, 0x21, 0x9D, 0xEF, 0xA0, 0xAB, 0xCB}},
    {0x79349DC7, 0xCF70, 0x438E, {0xBC, 0x10, 0xF4, 0x54, 0xF0, 0x2D, 0x20, 0x67}},
    {0x3789B7D9, 0xA441, 0x4B8B, {0xA9, 0x59, 0xEE, 0x19, 0xDB, 0x0B, 0x80, 0x02}},
    {0xA987BCF1, 0x59F2, 0x4E63, {0xB0, 0x63, 0xAF, 0xE3, 0x8A, 0x88, 0x7A, 0x72}},
    {0x02B6D00B, 0x7D0F, 0x44A7, {0x95, 0x3F, 0x7B, 0xCC, 0xF6, 0x3A, 0x26, 0x4A}},
    {0xDA870690, 0x8A10, 0x4C3A, {0xB4, 0x9A, 0x10, 0xCA, 0x29, 0x59, 0x45, 0x8E}},
    {0xAD8D593C, 0x2B2D, 0x4292, {0x8A, 0x80, 0xCD, 0x4D, 0xA1, 0x3F, 0xB1, 0x6A}},
    {0x4833EE92, 0x1978, 0x4A02, {0x85, 0xAF, 0x94, 0x39, 0x64, 0x06, 0xC3, 0x2E}},
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
