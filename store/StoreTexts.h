#pragma once
#include "support/SjisText.h"

// Texts of the store (messages of the registry, the data file and the customer files), written in
// UTF-8 and made Shift-JIS by the compiler.
namespace txt::store {

inline constexpr auto kCustomerEmpty = sjis::text(u8"需要家を入力してください");
inline constexpr auto kCircuitEmpty = sjis::text(u8"測定回路名称を入力してください");
inline constexpr auto kCustomerForbidden =
    sjis::text(u8"需要家名称には次の何れかの文字を含めることは出来ません\n%s");
inline constexpr auto kCircuitForbidden =
    sjis::text(u8"測定回路名称には次の何れかの文字を含めることは出来ません\n%s");
// A name longer than a file name made from it can hold.
inline constexpr auto kCustomerTooLong =
    sjis::text(u8"需要家名称が長すぎます\n半角 %d 文字（全角 %d 文字）までにしてください");
inline constexpr auto kCircuitTooLong =
    sjis::text(u8"測定回路名称が長すぎます\n半角 %d 文字（全角 %d 文字）までにしてください");
// Removing in 需要家情報の編集 (default answer No).
inline constexpr auto kConfirmRemoveCustomer =
    sjis::text(u8"「%s」と、その測定回路 %d 件・測定データ %d 日分を削除します。よろしいですか？");
inline constexpr auto kConfirmRemoveCircuit =
    sjis::text(u8"「%s」と、その測定データ %d 日分を削除します。よろしいですか？");
inline constexpr auto kDataFileDamaged =
    sjis::text(u8"データファイルが壊れている可能性があります\n今までの測定データは削除し新規の状態"
               u8"にします\n必要であればこのソフトを終了する前に手作業でコピーしてください\n%s");
inline constexpr auto kDataFileVersion =
    sjis::text(u8"データファイルのバージョンが違いますます\n今までの測定データは削除し新規の状態に"
               u8"します\n必要であればこのソフトを終了する前に手作業でコピーしてください\n%s");
inline constexpr auto kCopiedAside = sjis::text(u8"\n元のファイルを次の名前で保存しました\n%s");
inline constexpr auto kLoadUnreadable = sjis::text(
    u8"データファイルを読み込むことが出来ません\n%s\n%s\nこのファイルは終了時にも上書きしません");
inline constexpr auto kSaveFailed = sjis::text(
    u8"データファイルを保存することが出来ません\n元のファイルは変更していません\n%s\n%s");
inline constexpr auto kSaveSkipped =
    sjis::text(u8"読み込めなかったデータファイルは上書きしません\n%s");
inline constexpr auto kCopyAsideFailed = sjis::text(
    u8"データファイルの退避に失敗しました。元のファイルはそのまま残し、上書きしません。\n%s");
inline constexpr auto kCannotOpen = sjis::text(u8"ファイルを開くことが出来ません\n%s");
inline constexpr auto kImportQuestion =
    sjis::text(u8"次の需要家データを取り込みます\n%s\nよろしいですか");
inline constexpr auto kImportRenamed = sjis::text(
    u8"取り込もうとしている需要家名は既に登録されています\n次の名前に変更して取り込みます\n%s");

// The export dialog and the monthly-report start day.
inline constexpr auto kNoSaveFolder = sjis::text(u8"保存先を入力してください");
inline constexpr auto kNoSaveFile = sjis::text(u8"保存ファイル名を入力してください");
inline constexpr auto kCreateSaveFolder =
    sjis::text(u8"指定のフォルダは存在しません\n新たにフォルダを作成しますか？\n%s");
inline constexpr auto kOverwriteSave =
    sjis::text(u8"指定のファイルは既に存在しています\n上書きしてもよろしいですか？\n%s");
inline constexpr auto kNoSaveCustomer = sjis::text(u8"保存する需要家名を選んでください");
// After an import failed on the file's contents: the file is not a customer export.
inline constexpr auto kNotExportFile =
    sjis::text(u8"このファイルは需要家データの切出しファイルではないか、壊れています。\n需要家デー"
               u8"タの切出しで作ったファイルを選んでください。\n%s");
// After a successful import: the customer's name in the store and the file read.
inline constexpr auto kImported = sjis::text(u8"需要家データを取り込みました。\n%s\n%s");
inline constexpr auto kSaved = sjis::text(u8"正常に保存しました。");
inline constexpr auto kNoStartDay = sjis::text(u8"開始日を入力してください");
inline constexpr auto kStartDayRange =
    sjis::text(u8"開始日には１～３１までの数字を入力してください");

// The characters a customer or circuit name may not contain, as shown in the message.
inline constexpr auto kForbiddenNameChars = sjis::text(u8":\"*?/\\<>|.");

// The same failures as a tool tells them: nothing is reset there.
inline constexpr auto kDataFileDamagedBrief =
    sjis::text(u8"データファイルが壊れている可能性があります\n%s");
inline constexpr auto kDataFileVersionBrief =
    sjis::text(u8"データファイルのバージョンが違いますます\n%s");
inline constexpr auto kDataFileUnreadableBrief =
    sjis::text(u8"データファイルを読み込むことが出来ません\n%s\n%s");

} // namespace txt::store
