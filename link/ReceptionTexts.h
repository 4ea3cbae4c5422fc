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
// Appended to kPortOpenFailed when the user may not read and write the device:
// " ポートを使う権限がありません。sudo usermod -aG dialout ユーザー名 で dialout グループに加え、
// ログインし直してください"
inline constexpr const char kPortPermissionHint[] =
    " \x83|\x81[\x83g\x82\xf0\x8eg\x82\xa4\x8c\xa0\x8c\xc0\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
    "\x82\xf1\x81"
    "Bsudo usermod -aG dialout \x83\x86\x81[\x83U\x81[\x96\xbc \x82\xc5 dialout \x83O\x83\x8b\x81["
    "\x83v\x82\xc9\x89\xc1\x82\xa6\x81"
    "A\x83\x8d\x83O\x83"
    "C\x83\x93\x82\xb5\x92\xbc\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2";
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

inline constexpr const char kReceptionProblem[] =
    "\x8e\xf3\x90M\x8f\x88\x97\x9d\x82\xc5\x96\xe2\x91\xe8\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82"
    "\xdc\x82\xb5\x82\xbd"; // 受信処理で問題が発生しました
inline constexpr const char kCaptureFailed[] =
    "\x8e\xf3\x90M\x83"
    "f\x81[\x83^\x82\xcc\x95\xdb\x91\xb6\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd:%"
    "s"; // 受信データの保存に失敗しました:%s

// Entries of the communication settings.
inline constexpr const char kNone[] = "\x82\xc8\x82\xb5";       // なし
inline constexpr const char kParityOdd[] = "\x8a\xef\x90\x94";  // 奇数
inline constexpr const char kParityEven[] = "\x8b\xf4\x90\x94"; // 偶数
inline constexpr const char kParityMark[] = "\x83}\x81[\x83N";  // マーク
inline constexpr const char kFlowHardware[] = "\x83n\x81[\x83h\x83"
                                              "E\x83"
                                              "F\x83"
                                              "A"; // ハードウェア

// Section "Debug" of the INI file: the port trace and the debug mode of a reception.
inline constexpr const char kDebugSection[] = "Debug";
inline constexpr const char kDebugCommKey[] = "\x92\xca\x90M(0:\x83\x8a\x83\x8a\x81[\x83X,1:\x83"
                                              "f\x83o\x83"
                                              "b\x83N)"; // 通信(0:リリース,1:デバック)
inline constexpr const char kCommLogKey[] =
    "\x92\xca\x90M\x83\x8d\x83O\x8fo\x97\xcd(0:\x82\xb5\x82\xc8\x82\xa2,1:"
    "\x82\xb7\x82\xe9)"; // 通信ログ出力(0:しない,1:する)
// Names in the program folder: the trace prefix and the folder of the capture files.
inline constexpr const char kTracePrefixName[] = "COMM_";
inline constexpr const char kCaptureFolderName[] = "RECEIVED";

} // namespace rxtext
