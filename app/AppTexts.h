#pragma once

// Texts of the application shell (CP932).
namespace txt::app {

inline constexpr const char kDebugCommKey[] = "\x92\xca\x90M(0:\x83\x8a\x83\x8a\x81[\x83X,1:\x83"
                                              "f\x83o\x83"
                                              "b\x83N)"; // 通信(0:リリース,1:デバック)
inline constexpr const char
    kCommLogKey[] = "\x92\xca\x90M\x83\x8d\x83O\x8fo\x97\xcd(0:\x82\xb5\x82\xc8\x82\xa2,1:"
                    "\x82\xb7\x82\xe9)"; // 通信ログ出力(0:しない,1:する)
inline constexpr const char kAbnormalEnd[] =
    "\x91O\x89\xf1\x88\xd9\x8f\xed\x8fI\x97\xb9"; // 前回異常終了

} // namespace txt::app
