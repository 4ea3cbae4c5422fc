#pragma once
#include "support/SjisText.h"

// Texts of the transfer and selection dialogs, written in UTF-8 and made Shift-JIS by the compiler.
namespace txt::transfer {

inline constexpr auto kChooseData = sjis::text(u8"測定データを選んでください");

inline constexpr auto kNoTargetCircuit = sjis::text(u8"追加先の測定回路名を選んでください");
inline constexpr auto kNoDayToAdd = sjis::text(u8"追加する測定データを選んでください");
inline constexpr auto kMixedChannels =
    sjis::text(u8"１ＣＨと２ＣＨを同時に追加することは出来ません");
inline constexpr auto kOverwriteOnAdd =
    sjis::text(u8"既に同じ測定日データが存在しています\n上書きしますか？\n「いいえ」を選ぶと同じ測"
               u8"定日データは追加しません");
// Follows kOverwriteOnAdd when received days without samples would replace stored ones.
inline constexpr auto kEmptyDaysOverwrite =
    sjis::text(u8"\n受信データのうち %d "
               u8"日分には測定値がありません。上書きすると、保存されている測定値は失われます。");
// OK of the transfer dialog with days still in the transfer list.
inline constexpr auto kUnfiledDaysLeft =
    sjis::text(u8"転送データに %d 日分が残っています。\n取り込まずに閉じますか？\n（受信した内容は "
               u8"RECEIVED フォルダの受信ファイルに、読み込んだファイルは元の場所に残っています）");
inline constexpr auto kNoDayToReturn = sjis::text(u8"転送データへ戻すデータを選んでください");
inline constexpr auto kOverwriteOnReturn =
    sjis::text(u8"転送データ側に既に同じ測定日データが存在しています\n上書きで戻しますか？\n「いい"
               u8"え」を選ぶと同じ測定日データは戻しません");
inline constexpr auto kNoDayToDelete = sjis::text(u8"削除するデータを選んでください");
inline constexpr auto kConfirmDelete = sjis::text(u8"データを削除してもよろしいですか\n");

} // namespace txt::transfer
