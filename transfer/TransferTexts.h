#pragma once

// Texts of the transfer dialog's rules as Shift-JIS (CP932) bytes. The comment beside each
// shows the text; hex escapes are split where a hex digit follows.
namespace txt::transfer {

inline constexpr const char kNoTargetCircuit[] =
    "\x92\xc7\x89\xc1\x90\xe6\x82\xcc\x91\xaa\x92\xe8\x89\xf1\x98H\x96\xbc\x82\xf0\x91I\x82\xf1\x82"
    "\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2"; // 追加先の測定回路名を選んでください
inline constexpr const char kNoDayToAdd[] = "\x92\xc7\x89\xc1\x82\xb7\x82\xe9\x91\xaa\x92\xe8\x83"
                                            "f\x81["
                                            "\x83\x5e\x82\xf0\x91I\x82\xf1\x82\xc5\x82\xad\x82\xbe"
                                            "\x82\xb3\x82\xa2"; // 追加する測定データを選んでください
inline constexpr const char kMixedChannels[] =
    "\x82P\x82"
    "b\x82g\x82\xc6\x82Q\x82"
    "b\x82g\x82\xf0\x93\xaf\x8e\x9e\x82\xc9\x92\xc7\x89\xc1\x82\xb7\x82\xe9\x82\xb1\x82\xc6\x82\xcd"
    "\x8fo\x97\x88\x82\xdc\x82\xb9\x82\xf1"; // １ＣＨと２ＣＨを同時に追加することは出来ません
inline constexpr const char kOverwriteOnAdd[] = "\x8a\xf9\x82\xc9\x93\xaf\x82\xb6\x91\xaa\x92\xe8"
                                                "\x93\xfa\x83"
                                                "f\x81["
                                                "\x83\x5e\x82\xaa\x91\xb6\x8d\xdd\x82\xb5\x82\xc4"
                                                "\x82\xa2\x82\xdc\x82\xb7\n\x8f\xe3\x8f\x91\x82\xab"
                                                "\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H\n\x81u\x82"
                                                "\xa2\x82\xa2\x82\xa6\x81v\x82\xf0\x91I\x82\xd4\x82"
                                                "\xc6\x93\xaf\x82\xb6\x91\xaa\x92\xe8\x93\xfa\x83"
                                                "f\x81["
                                                "\x83\x5e\x82\xcd\x92\xc7\x89\xc1\x82\xb5\x82\xdc"
                                                "\x82\xb9\x82\xf1"; // 既に同じ測定日データが存在しています\n上書きしますか？\n「いいえ」を選ぶと同じ測定日データは追加しません
inline constexpr const char kNoDayToReturn[] = "\x93]\x91\x97\x83"
                                               "f\x81[\x83\x5e\x82\xd6\x96\xdf\x82\xb7\x83"
                                               "f\x81["
                                               "\x83\x5e\x82\xf0\x91I\x82\xf1\x82\xc5\x82\xad\x82"
                                               "\xbe\x82\xb3\x82\xa2"; // 転送データへ戻すデータを選んでください
inline constexpr const char kOverwriteOnReturn[] = "\x93]\x91\x97\x83"
                                                   "f\x81["
                                                   "\x83\x5e\x91\xa4\x82\xc9\x8a\xf9\x82\xc9\x93"
                                                   "\xaf\x82\xb6\x91\xaa\x92\xe8\x93\xfa\x83"
                                                   "f\x81["
                                                   "\x83\x5e\x82\xaa\x91\xb6\x8d\xdd\x82\xb5\x82"
                                                   "\xc4\x82\xa2\x82\xdc\x82\xb7\n\x8f\xe3\x8f\x91"
                                                   "\x82\xab\x82\xc5\x96\xdf\x82\xb5\x82\xdc\x82"
                                                   "\xb7\x82\xa9\x81H\n\x81u\x82\xa2\x82\xa2\x82"
                                                   "\xa6\x81v\x82\xf0\x91I\x82\xd4\x82\xc6\x93\xaf"
                                                   "\x82\xb6\x91\xaa\x92\xe8\x93\xfa\x83"
                                                   "f\x81["
                                                   "\x83\x5e\x82\xcd\x96\xdf\x82\xb5\x82\xdc\x82"
                                                   "\xb9\x82\xf1"; // 転送データ側に既に同じ測定日データが存在しています\n上書きで戻しますか？\n「いいえ」を選ぶと同じ測定日データは戻しません
inline constexpr const char kNoDayToDelete[] = "\x8d\xed\x8f\x9c\x82\xb7\x82\xe9\x83"
                                               "f\x81["
                                               "\x83\x5e\x82\xf0\x91I\x82\xf1\x82\xc5\x82\xad\x82"
                                               "\xbe\x82\xb3\x82\xa2"; // 削除するデータを選んでください
inline constexpr const char kConfirmDelete[] =
    "\x83"
    "f\x81["
    "\x83\x5e\x82\xf0\x8d\xed\x8f\x9c\x82\xb5\x82\xc4\x82\xe0\x82\xe6\x82\xeb\x82\xb5\x82\xa2\x82"
    "\xc5\x82\xb7\x82\xa9\n"; // データを削除してもよろしいですか\n

} // namespace txt::transfer
