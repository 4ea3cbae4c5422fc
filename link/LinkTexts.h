#pragma once

// Texts of the report parser and the reception (CP932).
namespace txt::link {

// Reception and serial port.
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
inline constexpr const char kReceptionProblem[] =
    "\x8e\xf3\x90M\x8f\x88\x97\x9d\x82\xc5\x96\xe2\x91\xe8\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82"
    "\xdc\x82\xb5\x82\xbd"; // 受信処理で問題が発生しました
inline constexpr const char kCaptureFailed[] =
    "\x8e\xf3\x90M\x83"
    "f\x81[\x83^\x82\xcc\x95\xdb\x91\xb6\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd:%"
    "s"; // 受信データの保存に失敗しました:%s

// A reception or a captured file that ended inside a block: the reason, what was kept, the
// day cut off and the file holding the bytes (joined with blanks into one message).
// 記録計からの送信が測定データの途中で途切れました。
inline constexpr const char kCutSilence[] =
    "\x8bL\x98^\x8cv\x82\xa9\x82\xe7\x82\xcc\x91\x97\x90M\x82\xaa\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^\x82\xcc\x93r\x92\x86\x82\xc5\x93r\x90\xd8\x82\xea\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";
// 測定データの受信中にシリアルポートから読めなくなりました（ケーブルや変換器が外れた可能性があります）。
inline constexpr const char kCutReadError[] =
    "\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^\x82\xcc\x8e\xf3\x90M\x92\x86\x82\xc9\x83V\x83\x8a\x83"
    "A\x83\x8b\x83|\x81["
    "\x83g\x82\xa9\x82\xe7\x93\xc7\x82\xdf\x82\xc8\x82\xad\x82\xc8\x82\xe8\x82\xdc\x82\xb5\x82\xbd"
    "\x81i\x83P\x81["
    "\x83u\x83\x8b\x82\xe2\x95\xcf\x8a\xb7\x8a\xed\x82\xaa\x8aO\x82\xea\x82\xbd\x89\xc2\x94\x5c\x90"
    "\xab\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81j\x81"
    "B";
// ファイルが測定データの途中で終わっています。
inline constexpr const char kCutFileEnd[] =
    "\x83t\x83@\x83"
    "C\x83\x8b\x82\xaa\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^"
    "\x82\xcc\x93r\x92\x86\x82\xc5\x8fI\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81"
    "B";
// 完全に届いた測定データは %d 件です。
inline constexpr const char kCutKept[] =
    "\x8a\xae\x91S\x82\xc9\x93\xcd\x82\xa2\x82\xbd\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^\x82\xcd %d \x8c\x8f\x82\xc5\x82\xb7\x81"
    "B";
// 完全に届いた測定データはありません。
inline constexpr const char kCutNoneKept[] =
    "\x8a\xae\x91S\x82\xc9\x93\xcd\x82\xa2\x82\xbd\x91\xaa\x92\xe8\x83"
    "f\x81[\x83^\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";
// 途中で切れた %dch %s は取り込みません。
inline constexpr const char kCutDayLeft[] =
    "\x93r\x92\x86\x82\xc5\x90\xd8\x82\xea\x82\xbd %dch %s "
    "\x82\xcd\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";
// 受信ファイル：%s
inline constexpr const char kCutCapture[] = "\x8e\xf3\x90M\x83t\x83@\x83"
                                            "C\x83\x8b\x81"
                                            "F%s";
// ファイル：%s
inline constexpr const char kCutFile[] = "\x83t\x83@\x83"
                                         "C\x83\x8b\x81"
                                         "F%s";
// A day of which only a summary arrived, and bytes left from an earlier sender.
// 測定値の一覧が届いていない %dch %s の集計は取り込みません
inline constexpr const char kHeadlessDay[] =
    "\x91\xaa\x92\xe8\x92l\x82\xcc\x88\xea\x97\x97\x82\xaa\x93\xcd\x82\xa2\x82\xc4\x82\xa2\x82\xc8"
    "\x82\xa2 %dch %s "
    "\x82\xcc\x8fW\x8cv\x82\xcd\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd\x82\xdc\x82\xb9\x82\xf1";
// 受信開始前に届いていた %u バイトは読み捨てました（受信ファイルには残しています）
inline constexpr const char kDiscardedInput[] =
    "\x8e\xf3\x90M\x8aJ\x8en\x91O\x82\xc9\x93\xcd\x82\xa2\x82\xc4\x82\xa2\x82\xbd %u \x83o\x83"
    "C\x83g\x82\xcd\x93\xc7\x82\xdd\x8e\xcc\x82\xc4\x82\xdc\x82\xb5\x82\xbd\x81i\x8e\xf3\x90M\x83t"
    "\x83@\x83"
    "C\x83\x8b\x82\xc9\x82\xcd\x8e"
    "c\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81j";

// Entries of the communication settings.
inline constexpr const char kNone[] = "\x82\xc8\x82\xb5";       // なし
inline constexpr const char kParityOdd[] = "\x8a\xef\x90\x94";  // 奇数
inline constexpr const char kParityEven[] = "\x8b\xf4\x90\x94"; // 偶数
inline constexpr const char kParityMark[] = "\x83}\x81[\x83N";  // マーク
inline constexpr const char kFlowHardware[] = "\x83n\x81[\x83h\x83"
                                              "E\x83"
                                              "F\x83"
                                              "A"; // ハードウェア

// The device chosen for a port could not be written to section "Port" of the INI file.
inline constexpr const char kPortDeviceNotStored[] =
    "\x83"
    "f\x83o\x83"
    "C\x83X\x82\xcc\x8a\x84\x82\xe8\x93\x96\x82\xc4\x82\xf0\x90\xdd\x92"
    "\xe8\x83t\x83@\x83"
    "C\x83\x8b\x82\xc9\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82"
    "\xf1"; // デバイスの割り当てを設定ファイルに保存できません

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

// Report grammar marks and parser messages.
// ＣＨ: starts a channel header line
inline constexpr const char kChannelMark[] = "\x82\x62\x82g";
// 時刻: starts the column line of an interval block
inline constexpr const char kTimeMark[] = "\x8e\x9e\x8d\x8f";
// 総電力量: starts a summary block
inline constexpr const char kEnergyMark[] = "\x91\x8d\x93\x64\x97\xcd\x97\xca";
// 停電: outage note inside an interval listing
inline constexpr const char kOutageMark[] = "\x92\xe2\x93\x64";
// 正方向: in the column line: the report has a reverse column
inline constexpr const char kReverseMark[] = "\x90\xb3\x95\xfb\x8c\xfc";
// 瞬間最大電力: extra heading skipped before the average voltages
inline constexpr const char kPeakPowerMark[] = "\x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93\x64\x97\xcd";
// 単相
inline constexpr const char kSinglePhase[] = "\x92P\x91\x8a";
// 3相3線
inline constexpr const char kThreePhase3Wire[] = "3\x91\x8a\x33\x90\xfc";
// 3相4線
inline constexpr const char kThreePhase4Wire[] = "3\x91\x8a\x34\x90\xfc";

// Failure messages: the prefix, then the cleaned line, then ">".
// チャンネル指定の解析が出来ません<>
inline constexpr const char kMsgChannel[] =
    "\x83`"
    "\x83\x83\x83\x93\x83l\x83\x8b\x8ew\x92\xe8\x82\xcc\x89\xf0\x90\xcd\x82\xaa\x8fo\x97\x88\x82"
    "\xdc\x82\xb9\x82\xf1<";
// 測定回路種類の解析が出来ません<>
inline constexpr const char kMsgCircuitType[] =
    "\x91\xaa\x92\xe8\x89\xf1\x98H\x8e\xed\x97\xde\x82\xcc\x89\xf0\x90\xcd\x82\xaa\x8fo\x97\x88\x82"
    "\xdc\x82\xb9\x82\xf1<";
// PT解析異常，スペース無し<>
inline constexpr const char kMsgPtNoBlank[] =
    "PT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x83X\x83y\x81[\x83X\x96\xb3\x82\xb5<";
// PT解析異常，数字以外の文字検出<>
inline constexpr const char kMsgPtNotNumber[] =
    "PT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x90\x94\x8e\x9a\x88\xc8\x8aO\x82\xcc\x95\xb6\x8e"
    "\x9a\x8c\x9f\x8fo<";
// CT解析異常，スペース無し<>
inline constexpr const char kMsgCtNoBlank[] =
    "CT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x83X\x83y\x81[\x83X\x96\xb3\x82\xb5<";
// CT解析異常，数字以外の文字検出<>
inline constexpr const char kMsgCtNotNumber[] =
    "CT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x90\x94\x8e\x9a\x88\xc8\x8aO\x82\xcc\x95\xb6\x8e"
    "\x9a\x8c\x9f\x8fo<";
// 時刻解析異常<>
inline constexpr const char kMsgHeaderDate[] = "\x8e\x9e\x8d\x8f\x89\xf0\x90\xcd\x88\xd9\x8f\xed<";
// 解析異常<>
inline constexpr const char kMsgIntervalTime[] = "\x89\xf0\x90\xcd\x88\xd9\x8f\xed<";
// 解析異常，数字以外の文字検出<>
inline constexpr const char kMsgNotNumber[] =
    "\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x90\x94\x8e\x9a\x88\xc8\x8aO\x82\xcc\x95\xb6\x8e\x9a"
    "\x8c\x9f\x8fo<";
// 時間範囲解析異常<>
inline constexpr const char kMsgTimeRange[] =
    "\x8e\x9e\x8a\xd4\x94\xcd\x88\xcd\x89\xf0\x90\xcd\x88\xd9\x8f\xed<";
// 時間解析１異常<>
inline constexpr const char kMsgFromTime[] =
    "\x8e\x9e\x8a\xd4\x89\xf0\x90\xcd\x82P\x88\xd9\x8f\xed<";
// 時間解析２異常<>
inline constexpr const char kMsgToTime[] = "\x8e\x9e\x8a\xd4\x89\xf0\x90\xcd\x82Q\x88\xd9\x8f\xed<";
// 解析異常，該当ケース無し，sw=[%d]<%s>
inline constexpr const char kMsgNoCase[] = "\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x8aY\x93"
                                           "\x96\x83P\x81[\x83X\x96\xb3\x82\xb5\x81\x43sw=[";
// 解析異常，行が長すぎます<>
inline constexpr const char kMsgLineTooLong[] =
    "\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x8ds\x82\xaa\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7"
    "<";

} // namespace txt::link
