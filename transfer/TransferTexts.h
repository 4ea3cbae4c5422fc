#pragma once

// Texts of the transfer and selection dialogs as Shift-JIS (CP932) bytes. The comment beside
// each shows the text; hex escapes are split where a hex digit follows.
namespace txt::transfer {

inline constexpr const char kChooseData[] =
    "\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^\x82\xf0\x91I\x82\xf1\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82"
    "\xa2"; // 測定データを選んでください

} // namespace txt::transfer
