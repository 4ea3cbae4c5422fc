#pragma once
// The recorder report's own texts and the parser's messages, as Shift-JIS bytes.
#include <string_view>

namespace reporttext {

// ＣＨ: starts a channel header line
inline constexpr std::string_view kChannelMark = "\x82\x62\x82g";
// 時刻: starts the column line of an interval block
inline constexpr std::string_view kTimeMark = "\x8e\x9e\x8d\x8f";
// 総電力量: starts a summary block
inline constexpr std::string_view kEnergyMark = "\x91\x8d\x93\x64\x97\xcd\x97\xca";
// 停電: outage note inside an interval listing
inline constexpr std::string_view kOutageMark = "\x92\xe2\x93\x64";
// 正方向: in the column line: the report has a reverse column
inline constexpr std::string_view kReverseMark = "\x90\xb3\x95\xfb\x8c\xfc";
// 瞬間最大電力: extra heading skipped before the average voltages
inline constexpr std::string_view kPeakPowerMark = "\x8fu\x8a\xd4\x8d\xc5\x91\xe5\x93\x64\x97\xcd";
// 単相
inline constexpr std::string_view kSinglePhase = "\x92P\x91\x8a";
// 3相3線
inline constexpr std::string_view kThreePhase3Wire = "3\x91\x8a\x33\x90\xfc";
// 3相4線
inline constexpr std::string_view kThreePhase4Wire = "3\x91\x8a\x34\x90\xfc";

// Failure messages: the prefix, then the cleaned line, then ">".
// チャンネル指定の解析が出来ません<>
inline constexpr std::string_view kMsgChannel =
    "\x83`"
    "\x83\x83\x83\x93\x83l\x83\x8b\x8ew\x92\xe8\x82\xcc\x89\xf0\x90\xcd\x82\xaa\x8fo\x97\x88\x82"
    "\xdc\x82\xb9\x82\xf1<";
// 測定回路種類の解析が出来ません<>
inline constexpr std::string_view kMsgCircuitType =
    "\x91\xaa\x92\xe8\x89\xf1\x98H\x8e\xed\x97\xde\x82\xcc\x89\xf0\x90\xcd\x82\xaa\x8fo\x97\x88\x82"
    "\xdc\x82\xb9\x82\xf1<";
// PT解析異常，スペース無し<>
inline constexpr std::string_view kMsgPtNoBlank =
    "PT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x83X\x83y\x81[\x83X\x96\xb3\x82\xb5<";
// PT解析異常，数字以外の文字検出<>
inline constexpr std::string_view kMsgPtNotNumber =
    "PT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x90\x94\x8e\x9a\x88\xc8\x8aO\x82\xcc\x95\xb6\x8e"
    "\x9a\x8c\x9f\x8fo<";
// CT解析異常，スペース無し<>
inline constexpr std::string_view kMsgCtNoBlank =
    "CT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x83X\x83y\x81[\x83X\x96\xb3\x82\xb5<";
// CT解析異常，数字以外の文字検出<>
inline constexpr std::string_view kMsgCtNotNumber =
    "CT\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x90\x94\x8e\x9a\x88\xc8\x8aO\x82\xcc\x95\xb6\x8e"
    "\x9a\x8c\x9f\x8fo<";
// 時刻解析異常<>
inline constexpr std::string_view kMsgHeaderDate =
    "\x8e\x9e\x8d\x8f\x89\xf0\x90\xcd\x88\xd9\x8f\xed<";
// 解析異常<>
inline constexpr std::string_view kMsgIntervalTime = "\x89\xf0\x90\xcd\x88\xd9\x8f\xed<";
// 解析異常，数字以外の文字検出<>
inline constexpr std::string_view kMsgNotNumber =
    "\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x90\x94\x8e\x9a\x88\xc8\x8aO\x82\xcc\x95\xb6\x8e\x9a"
    "\x8c\x9f\x8fo<";
// 時間範囲解析異常<>
inline constexpr std::string_view kMsgTimeRange =
    "\x8e\x9e\x8a\xd4\x94\xcd\x88\xcd\x89\xf0\x90\xcd\x88\xd9\x8f\xed<";
// 時間解析１異常<>
inline constexpr std::string_view kMsgFromTime =
    "\x8e\x9e\x8a\xd4\x89\xf0\x90\xcd\x82P\x88\xd9\x8f\xed<";
// 時間解析２異常<>
inline constexpr std::string_view kMsgToTime =
    "\x8e\x9e\x8a\xd4\x89\xf0\x90\xcd\x82Q\x88\xd9\x8f\xed<";
// 解析異常，該当ケース無し，sw=[%d]<%s>
inline constexpr std::string_view kMsgNoCase = "\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x8aY\x93"
                                               "\x96\x83P\x81[\x83X\x96\xb3\x82\xb5\x81\x43sw=[";
// 解析異常，行が長すぎます<>
inline constexpr std::string_view kMsgLineTooLong =
    "\x89\xf0\x90\xcd\x88\xd9\x8f\xed\x81\x43\x8ds\x82\xaa\x92\xb7\x82\xb7\x82\xac\x82\xdc\x82\xb7"
    "<";

} // namespace reporttext
