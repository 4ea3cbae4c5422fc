#pragma once

// Texts of the serial port and the reception worker as Shift-JIS (CP932) bytes. The comment
// beside each shows the text; hex escapes are split where a hex digit follows.
namespace rxtext {

inline constexpr const char kPortOpen[] =
    "\x83V\x83\x8a\x83"
    "A\x83\x8b\x83|\x81[\x83g\x83I\x81[\x83v\x83\x93"; // シリアルポートオープン
inline constexpr const char kPortOpenFailed[] =
    "\x83V\x83\x8a\x83"
    "A\x83\x8b\x83|\x81[\x83g\x82\xcc\x83I\x81["
    "\x83v\x83\x93\x82\xc9\x8e\xb8\x94s,%s"; // シリアルポートのオープンに失敗,%s
inline constexpr const char kWaitingForDevice[] =
    "\x8b@\x8a\xed\x82\xa9\x82\xe7\x82\xcc\x83"
    "f\x81[\x83^\x91\x97\x90M\x91\xd2\x82\xbf"; // 機器からのデータ送信待ち
inline constexpr const char kReceiving[] =
    "\x8e\xf3\x90M\x8f\x88\x97\x9d\x92\x86..."; // 受信処理中...
inline constexpr const char kFileOpen[] =
    "\x83t\x83@\x83"
    "C\x83\x8b\x83I\x81[\x83v\x83\x93:%s"; // ファイルオープン:%s
inline constexpr const char kFileMissing[] = "\x83t\x83@\x83"
                                             "C\x83\x8b\x82\xaa\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82"
                                             "\xb9\x82\xf1:%s"; // ファイルが存在しません:%s
inline constexpr const char kFileOpenFailed[] = "\x83t\x83@\x83"
                                                "C\x83\x8b\x82\xaa\x83I\x81["
                                                "\x83v\x83\x93\x8fo\x97\x88\x82\xdc\x82\xb9\x82\xf1"
                                                ":%s"; // ファイルがオープン出来ません:%s
inline constexpr const char kFileReadFailed[] =
    "\x83t\x83@\x83"
    "C\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x88\xd9\x8f\xed:%s"; // ファイル読み込み異常:%s
inline constexpr const char kFileReading[] =
    "\x83t\x83@\x83"
    "C\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x92\x86..."; // ファイル読み込み中...
inline constexpr const char kCommError[] = "\x92\xca\x90M\x88\xd9\x8f\xed [%d]"; // 通信異常 [%d]
inline constexpr const char kPortClose[] =
    "\x83V\x83\x8a\x83"
    "A\x83\x8b\x83|\x81[\x83g\x83N\x83\x8d\x81[\x83Y"; // シリアルポートクローズ
inline constexpr const char kFinishing[] =
    "\x8c\xe3\x8f\x88\x97\x9d\x92\x86..."
    "\x82\xb5\x82\xce\x82\xe7\x82\xad\x82\xa8\x91\xd2\x82\xbf\x82\xad\x82\xbe\x82"
    "\xb3\x82\xa2"; // 後処理中...しばらくお待ちください
inline constexpr const char kUnexpected[] = "\x97\xe1\x8aO\x94\xad\x90\xb6"; // 例外発生
inline constexpr const char kSystemError[] =
    "%s\xb4\xd7\xb0No:hex(%X),dec(%lu)"; // %sｴﾗｰNo:hex(%X),dec(%lu)

} // namespace rxtext
