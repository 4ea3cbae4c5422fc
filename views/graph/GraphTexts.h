#pragma once

// CP932 texts of the graph view; the comment beside each shows the text.
namespace txt::graph {

inline constexpr const char kPowerName[] = "\x93"
                                           "d\x97\xcd"; // 電力
inline constexpr const char kForwardPowerName[] = "\x93"
                                                  "d\x97\xcd(\x90\xb3)"; // 電力(正)
inline constexpr const char kReversePowerName[] = "\x93"
                                                  "d\x97\xcd(\x8bt)"; // 電力(逆)
inline constexpr const char kPowerFactorName[] = "\x97\xcd\x97\xa6";  // 力率
inline constexpr const char kVoltage1[] = "\x93"
                                          "d\x88\xb3\x82P"; // 電圧１
inline constexpr const char kVoltage2[] = "\x93"
                                          "d\x88\xb3\x82Q"; // 電圧２
inline constexpr const char kVoltage3[] = "\x93"
                                          "d\x88\xb3\x82R"; // 電圧３
inline constexpr const char kCurrent1[] = "\x93"
                                          "d\x97\xac\x82P"; // 電流１
inline constexpr const char kCurrent2[] = "\x93"
                                          "d\x97\xac\x82Q"; // 電流２
inline constexpr const char kCurrent3[] = "\x93"
                                          "d\x97\xac\x82R"; // 電流３
inline constexpr const char kUnitKW[] = "[kW]";
inline constexpr const char kUnitW[] = "[W]";
inline constexpr const char kUnitKV[] = "[kV]";
inline constexpr const char kUnitV[] = "[V]";
inline constexpr const char kUnitA[] = "[A]";
inline constexpr const char kUnitPercent[] = "[%]";

} // namespace txt::graph
