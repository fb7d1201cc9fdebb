// The camera link's texts, Windows-1250.
#pragma once
#include "core/cp1250.h"
#include "res/version_info.h"

namespace camera::texts {
inline constexpr auto kDefaultTitle = CP1250("Počet Filtrů v" ZELT_VER_SHORT);
inline constexpr auto kCommandPipeFailed = CP1250("DeviceInit failed, cannot open camera command pipe");
inline constexpr auto kDataPipeFailed = CP1250("DeviceInit failed, cannot open camera data pipe");
inline constexpr auto kNotInitialised = CP1250("Device not initialised");
inline constexpr auto kNotConnected = CP1250("Kamera není připojena");
inline constexpr auto kRequestTooLong = CP1250("Request does not fit the exchange buffer");
inline constexpr auto kShortReply = CP1250("Reply shorter than the data asked for");
inline constexpr auto kInstructionFailed = CP1250("Instruction failed: ");
inline constexpr auto kInvalidIndex = CP1250("Invalid index");
inline constexpr auto kInvalidParameter = CP1250("Invalid parameter");
inline constexpr auto kUnknownInstruction = CP1250("Unknown instruction");
inline constexpr auto kUnknownReturnCode = CP1250("Unknown return code");
inline constexpr auto kTitleRavikKai = CP1250("Ravik KAI");
inline constexpr auto kTitleRavikKaf = CP1250("Ravik KAF");
inline constexpr auto kTitleZeltKai = CP1250("Zelt KAI");
inline constexpr auto kTitleZeltKaf = CP1250("Zelt KAF");
inline constexpr auto kTitleZeltE2v = CP1250("Zelt E2V");
inline constexpr auto kTitleOskel = CP1250("Oskel Camera");

static_assert(kDefaultTitle.length == 17, "the window title has 17 characters");
}  // namespace camera::texts
