#pragma once
#include "support/SjisText.h"

// Texts of the graph view, written in UTF-8 and made Shift-JIS by the compiler.
namespace txt::graph {

inline constexpr auto kPowerName = sjis::text(u8"電力");
inline constexpr auto kForwardPowerName = sjis::text(u8"電力(正)");
inline constexpr auto kReversePowerName = sjis::text(u8"電力(逆)");
inline constexpr auto kPowerFactorName = sjis::text(u8"力率");
inline constexpr auto kVoltage1 = sjis::text(u8"電圧１");
inline constexpr auto kVoltage2 = sjis::text(u8"電圧２");
inline constexpr auto kVoltage3 = sjis::text(u8"電圧３");
inline constexpr auto kCurrent1 = sjis::text(u8"電流１");
inline constexpr auto kCurrent2 = sjis::text(u8"電流２");
inline constexpr auto kCurrent3 = sjis::text(u8"電流３");
inline constexpr auto kUnitKW = sjis::text(u8"[kW]");
inline constexpr auto kUnitW = sjis::text(u8"[W]");
inline constexpr auto kUnitKV = sjis::text(u8"[kV]");
inline constexpr auto kUnitV = sjis::text(u8"[V]");
inline constexpr auto kUnitA = sjis::text(u8"[A]");
inline constexpr auto kUnitPercent = sjis::text(u8"[%]");

} // namespace txt::graph
