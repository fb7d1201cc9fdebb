// The window's saved position: HKCU\Software\Kelvane\zeltfw, section Window,
// XPos and YPos. Nothing is reported when it cannot be read or written.
#include "app/app_texts.h"
#include "app/ravik_config.h"
#include "lib/tools/reg_scanner.h"

using app::texts::kSettingsKey;
using app::texts::kWindowSection;
using app::texts::kXPos;
using app::texts::kYPos;

void CRavikConfig::LoadWindowPosition(std::int32_t* xy) {
  CRegScannerA scanner;
  if (scanner.Init(nullptr, kSettingsKey.length, kSettingsKey.data, HKEY_CURRENT_USER) &&
      scanner.SetSection(kWindowSection.length, kWindowSection.data)) {
    scanner.GetKeyInt(kXPos.length, kXPos.data, &xy[0]);
    scanner.GetKeyInt(kYPos.length, kYPos.data, &xy[1]);
  }
  scanner.Done();
}

void CRavikConfig::SaveWindowPosition(const std::int32_t* xy) {
  CRegScannerA scanner;
  if (!scanner.Create(nullptr, kSettingsKey.length, kSettingsKey.data, HKEY_CURRENT_USER)) {
    scanner.Done();
    return;
  }
  bool selected = scanner.SetSection(kWindowSection.length, kWindowSection.data);
  if (!selected && scanner.CreateSection(kWindowSection.length, kWindowSection.data))
    selected = scanner.SetSection(kWindowSection.length, kWindowSection.data);
  if (selected) {
    scanner.SetKeyInt(kXPos.length, kXPos.data, xy[0]);
    scanner.SetKeyInt(kYPos.length, kYPos.data, xy[1]);
  }
  scanner.Done();
}
