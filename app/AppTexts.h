#pragma once
#include "link/ReceptionTexts.h"
#include "support/Sjis.h"
#include <string>

// Texts the shell writes into the INI file and the log, as CP932 bytes.
namespace apptext {
inline const std::string kDebugCommKey = rxtext::kDebugCommKey;
inline const std::string kCommLogKey = rxtext::kCommLogKey;
inline const std::string kAbnormalEnd = sjis::fromUtf8("前回異常終了");
} // namespace apptext
