// The wizard's texts, Windows-1250.
#pragma once
#include "core/cp1250.h"

namespace config::texts {
inline constexpr auto kStep1 = CP1250("Krok 1:");
inline constexpr auto kStep2 = CP1250("Krok 2:");
inline constexpr auto kStep3 = CP1250("Krok 3:");
inline constexpr auto kStep4 = CP1250("Krok 4:");
inline constexpr auto kStep5 = CP1250("Krok 5:");
inline constexpr auto kConnectAndFind = CP1250("Připojte kameru a klikněte [Vyhledat kameru]");
inline constexpr auto kRemovePower = CP1250("Odpojte napájení kamery");
inline constexpr auto kReconnectAndFind = CP1250("Opět připojte kameru a klikněte [Vyhledat kameru]");
inline constexpr auto kChooseCount = CP1250("Zadejte požadovaný počet filtrů");
inline constexpr auto kWritten = CP1250("Konfigurace byla úspěšně zapsána.");
inline constexpr auto kToTakeEffect = CP1250("Aby změna definitivně proběhla,");
inline constexpr auto kPowerCycleAgain = CP1250("je nutné kameru opět odpojit od napájení.");
inline constexpr auto kFindCamera = CP1250("Vyhledat kameru");
inline constexpr auto kWriteFilters = CP1250("Zapsat filtry");
inline constexpr auto kNext = CP1250("Další ->");
inline constexpr auto kFinish = CP1250("Dokončit");
inline constexpr auto kNotConnected = CP1250("Nepřipojena");

inline constexpr auto kErrorTitle = CP1250("Chyba");
inline constexpr auto kAdminLine1 = CP1250("Práce s kamerami Zelt vyžaduje oprávnění správce.");
inline constexpr auto kAdminLine2 = CP1250("Klikněte pravým tlačítkem na ikonu aplikace");
inline constexpr auto kMismatchLine1 = CP1250("Podruhé připojená kamera se liší");
inline constexpr auto kMismatchLine2 = CP1250("Připojte stejnou kameru jako poprvé");
inline constexpr auto kRegistryLine1 = CP1250("Nelze zapsat do Windows Registry");
inline constexpr auto kRegistryLine2 = CP1250("Aplikace vyžaduje administrativní oprávnění");
inline constexpr auto kNoCameraLine1 = CP1250("Kamera není připojena");
inline constexpr auto kNoCameraLine2 = CP1250("Připojte kameru");
inline constexpr auto kEepromLine1 = CP1250("Nelze zapsat EEPROM");
inline constexpr auto kEepromLine2 = CP1250("Kontaktujte technickou podporu");
}  // namespace config::texts
