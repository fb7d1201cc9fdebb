// The kept camera blocks and what the program reads from and writes into them:
// filter count, wheel type, camera type and ID, model code. Every operation
// tests the series as Ravik first, then Oskel; anything else reads as Zelt.
// None of them talks to the camera.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/wizard_state.h"

namespace config {

// Block addresses and lengths in camera memory.
constexpr std::uint8_t kIdentityAddress = 0;
constexpr std::uint8_t kConfigShortAddress = 10;        // Ravik and Zelt
constexpr std::uint32_t kOskelConfigAddress = 0x3FF80;  // Oskel
constexpr std::size_t kOskelFirstPiece = 48;            // the long-form write limit splits the Oskel block
constexpr std::uint32_t kOskelSecondAddress = kOskelConfigAddress + kOskelFirstPiece;

enum class Series { Ravik, Oskel, Zelt };
Series SeriesOf(std::uint32_t linkFlags);

std::uint32_t GetFilterCount(const WizardState& state, std::uint32_t linkFlags);
bool IsWheelRevision2(const WizardState& state, std::uint32_t linkFlags);
// item: 1-based position in FilterCountChoices; outside 1..8 changes nothing.
void SetFilterCount(WizardState& state, std::uint32_t linkFlags, int item);
void SetWheelRevision2(WizardState& state, std::uint32_t linkFlags, bool revision2);

// The item to preselect for a count, or 0 when the count has none.
int FilterCountItem(std::uint32_t count);
constexpr int kFilterCountChoiceCount = 8;
// Text of choice item 1..8 (Windows-1250); item 1's outside that range.
std::string_view FilterCountChoiceText(int item);
std::string_view WheelTypeText(bool revision2);
// "Není instalováno" for every count without a choice of its own.
std::string_view FilterCountText(std::uint32_t count);

// Camera type text (at most 14 characters, up to a zero byte) into text
// (capacity maxLen characters + NUL), and the camera ID in decimal.
void CameraTypeText(const WizardState& state, std::uint32_t linkFlags, std::size_t maxLen, char* text);
void CameraIdText(const WizardState& state, std::uint32_t linkFlags, std::size_t maxLen, char* text);

std::uint16_t ModelCode(const std::uint8_t* identity);

}  // namespace config
