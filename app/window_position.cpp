// The window's saved position: HKCU\Software\Kelvane\zeltfw, section Window,
// XPos and YPos. Nothing is reported when it cannot be read or written.
#include "app/app_texts.h"
#include "app/ravik_config.h"
#include "lib/support/reg_scanner.h"

using app::texts::kSettingsKey;
using app::texts::kWindowSection;
using app::texts::kXPos;
using app::texts::kYPos;

void CRavikConfig::LoadWindowPosition(std::int32_t* xy) {
  CRegScannerA scanner;
  if (scanner.Init(nullptr, kSettingsKey, HKEY_CURRENT_USER) && scanner.SetSection(kWindowSection)) {
    scanner.GetKeyInt(kXPos, &xy[0]);
    scanner.GetKeyInt(kYPos, &xy[1]);
  }
  scanner.Done();
}

void CRavikConfig::SaveWindowPosition(const std::int32_t* xy) {
  CRegScannerA scanner;
  if (!scanner.Create(nullptr, kSettingsKey, HKEY_CURRENT_USER)) {
    scanner.Done();
    return;
  }
  bool selected = scanner.SetSection(kWindowSection);
  if (!selected && scanner.CreateSection(kWindowSection)) selected = scanner.SetSection(kWindowSection);
  if (selected) {
    scanner.SetKeyInt(kXPos, xy[0]);
    scanner.SetKeyInt(kYPos, xy[1]);
  }
  scanner.Done();
}
