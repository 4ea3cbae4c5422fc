#pragma once

// Resource and control ids of the program's windows. Every control carries its id in the
// "controlId" property, so code and tests find controls by the numbers below.
namespace res {

// Main frame: menu, tool bar, icon, title (one id for all of them), selector bar dialog.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_SELECTOR_BAR = 128;
// The empty form of the placeholder view.
constexpr int IDD_VIEW_NULL = 129;

// Selector bar controls.
constexpr int IDC_KIND = 1022;          // 日別 / 月別
constexpr int IDC_YEAR = 1023;          // years of the stored days
constexpr int IDC_MONTH = 1024;         // months of the chosen year
constexpr int IDC_DAY = 1025;           // days of the chosen month (daily mode only)
constexpr int IDC_SCALE_POWER = 1027;   // power full scale
constexpr int IDC_SCALE_CURRENT = 1028; // current full scale
constexpr int IDC_SCALE_VOLTAGE = 1029; // voltage full scale
constexpr int IDC_CHANNEL = 1030;       // "CH：", not visible
constexpr int IDC_DAY_LABEL = 1031;     // "日" after the day box
constexpr int IDC_POWER_LABEL = 1040;   // "電力(kW)：" / "電力(W)："
constexpr int IDC_VOLTAGE_LABEL = 1041; // "電圧(kV)：" / "電圧(V)："

// Analysis view: the circuit's limits and the tables.
constexpr int IDC_ANA_CONTRACT = 1500;   // 契約電力(kW)
constexpr int IDC_ANA_BAND = 1501;       // 電圧範囲
constexpr int IDC_ANA_BAND_LOW = 1502;   // 下限(V)
constexpr int IDC_ANA_BAND_HIGH = 1503;  // 上限(V)
constexpr int IDC_ANA_PF = 1504;         // 力率基準(%)
constexpr int IDC_ANA_SAVE = 1505;       // 設定を保存
constexpr int IDC_ANA_DEMAND = 1506;     // デマンド・制限
constexpr int IDC_ANA_STATISTICS = 1507; // 統計
constexpr int IDC_ANA_LARGEST = 1508;    // 上位10件
constexpr int IDC_ANA_GAPS = 1509;       // 欠測のある日
constexpr int IDC_ANA_HEADING = 1510;    // customer, circuit and period shown
constexpr int IDC_ANA_OVERLAY = 1511;    // グラフに比較を表示
constexpr int IDC_ANA_OVERLAY_OF = 1512; // 比較する日 / 比較する月
constexpr int IDC_ANA_PRINT = 1513;      // 印刷に分析ページを付ける
constexpr int IDC_ANA_HEADER = 1514;     // 報告書ヘッダー...

// Reception dialog "データの受信" (CCommRead).
constexpr int IDC_COMM_STATUS = 1030;    // status line
constexpr int IDC_COMM_ANIMATE = 1031;   // animation while receiving
constexpr int IDC_COMM_LIST = 1032;      // received lines and messages
constexpr int IDC_COMM_SHOWLINES = 1033; // "収集データを表示する"
constexpr int IDC_COMM_PORT = 1602;      // the port and what to do on the recorder

// Communication settings "通信設定" (CSetSerial) and its information window.
constexpr int IDC_SERIAL_PORT = 1016;     // "ポート番号："
constexpr int IDC_SERIAL_BAUD = 1017;     // "ボーレイト："
constexpr int IDC_SERIAL_DATABITS = 1018; // "データ長："
constexpr int IDC_SERIAL_PARITY = 1019;   // "パリティチェック："
constexpr int IDC_SERIAL_STOPBITS = 1020; // "ストップビット："
constexpr int IDC_SERIAL_FLOW = 1021;     // "フロー制御："
constexpr int IDC_SERIAL_DEVICE = 1601;   // "デバイス：" (the device of the chosen port)

// Dialog buttons and labels without an id of their own.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_STATIC = -1;

// Dialogs of the data commands.
constexpr int IDD_DATA_SAVE = 134;          // 需要家データの切出し
constexpr int IDD_MON_START_DAY = 135;      // 月報の集計開始日
constexpr int IDC_CUSTOMER_NAME = 1012;     // customer combo (selection, export)
constexpr int IDC_CIRCUIT_NAME = 1013;      // circuit combo (selection)
constexpr int IDC_DAY_LIST = 1015;          // days of the circuit (selection)
constexpr int IDC_BROWSE = 1021;            // "参照..." (export folder, CSV program)
constexpr int IDC_BROWSE_OUT_FOLDER = 1022; // "参照..." beside the CSV folder
constexpr int IDC_SAVE_FOLDER = 1034;       // export folder
constexpr int IDC_SAVE_FILE = 1035;         // export file name
constexpr int IDC_START_DAY = 1035;         // monthly-report start day
constexpr int IDC_OUT_FOLDER = 1035;        // CSV folder
constexpr int IDC_OUT_FILE = 1036;          // CSV file name
constexpr int IDC_OPEN_AFTER = 1037; // "出力後，次のプログラムでファイルを開く"
constexpr int IDC_PROGRAM = 1038;    // program that opens the CSV file
constexpr int IDC_PROGRAM_GROUP = 1039; // the controls the check box enables

// Print period dialog (印刷期間の入力); control ids are per dialog.
constexpr int IDD_INPUT_PRT_DATE_SPAN = 150;
constexpr int IDC_PRT_START = 1032; // 開始：
constexpr int IDC_PRT_END = 1033;   // 終了：

// Batch output dialog (一括出力); control ids are per dialog.
constexpr int IDD_BATCH_OUT = 151;
constexpr int IDC_BATCH_CIRCUITS = 1700;      // customer / circuit, checkable
constexpr int IDC_BATCH_FROM = 1701;          // 開始：
constexpr int IDC_BATCH_TO = 1702;            // 終了：
constexpr int IDC_BATCH_CSV = 1703;           // CSV形式
constexpr int IDC_BATCH_PDF = 1704;           // PDF
constexpr int IDC_BATCH_FOLDER = 1705;        // 出力先
constexpr int IDC_BATCH_BROWSE_FOLDER = 1706; // "参照..." beside the folder

// Report header dialog (報告書ヘッダーの設定).
constexpr int IDD_REPORT_HEADER = 152;
constexpr int IDC_RH_SHOWN = 1520;     // 印刷・PDF・Excelに報告書ヘッダーを付ける
constexpr int IDC_RH_INSPECTOR = 1521; // 測定者
constexpr int IDC_RH_COMPANY = 1522;   // 測定会社
constexpr int IDC_RH_ADDRESS = 1523;   // 需要家住所
constexpr int IDC_RH_REMARKS = 1524;   // 備考
constexpr int IDC_RH_CUSTOMER_OWN = 1525; // この需要家だけの測定者・押印欄にする
constexpr int IDC_RH_STAMP_COUNT = 1526;  // 押印欄の数
constexpr int IDC_RH_STAMP_FIRST = 1527;  // 欄1 … 欄4 (1527-1530)

// Customer editing dialog (需要家情報).
constexpr int IDD_CUST_EDIT = 130;
constexpr int IDC_CUST_LIST = 1002;         // customers
constexpr int IDC_CIRCUIT_LIST = 1003;      // circuits of the selected customer
constexpr int IDC_CUST_ADD = 1004;          // "▲ 追加"
constexpr int IDC_CUST_REMOVE = 1005;       // "▼ 削除"
constexpr int IDC_CUST_RENAME = 1006;       // "◇ 変更"
constexpr int IDC_CIRCUIT_ADD = 1007;       // "▲ 追加"
constexpr int IDC_CIRCUIT_REMOVE = 1008;    // "▼ 削除"
constexpr int IDC_CIRCUIT_RENAME = 1009;    // "◇ 変更"
constexpr int IDC_CUST_NAME = 1010;         // customer name edit box
constexpr int IDC_CIRCUIT_NAME_EDIT = 1011; // circuit name edit box

// Data transfer dialog (データ転送と編集).
constexpr int IDC_RD_CUSTOMER = 1012;    // customer combo box
constexpr int IDC_RD_CIRCUIT = 1013;     // circuit combo box
constexpr int IDC_RD_CUST_EDIT = 1014;   // "需要家情報編集..."
constexpr int IDC_RD_STORED = 1015;      // stored days of the circuit
constexpr int IDC_RD_TRANSFER = 1016;    // transfer data
constexpr int IDC_RD_RECEIVE = 1017;     // "データ転送開始"
constexpr int IDC_RD_ADD = 1018;         // "← 追加"
constexpr int IDC_RD_RETURN = 1019;      // "→ 戻す"
constexpr int IDC_RD_DELETE = 1020;      // "→ 削除"
constexpr int IDC_RD_IMPORT_FILE = 1021; // "受信ファイルから取り込む..."

// Menu commands.
constexpr int ID_CUST_IMPORT = 32791;
constexpr int ID_CUST_EXPORT = 32789;
constexpr int ID_TXT_OUT = 32795;
constexpr int ID_XLSX_OUT = 32811;      // the shown report as an Excel workbook
constexpr int ID_REPORT_HEADER = 32813; // 報告書ヘッダーの設定
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_PDF = 32810;
constexpr int ID_BATCH_OUT = 32812;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_CUST_EDIT = 32772;
constexpr int ID_MON_START_DAY = 32793;
constexpr int ID_SERIAL_SETTINGS = 32776;
constexpr int ID_SELECT_DATA = 32778;
constexpr int ID_READ_DATA = 32774;
constexpr int ID_VIEW_SHEET = 32780;
constexpr int ID_VIEW_GRAPH = 32782;
constexpr int ID_VIEW_ANALYSIS = 32797;
// Previous / next stored day (monthly: report month) of the shown circuit.
constexpr int ID_PREV_DATA = 32800;
constexpr int ID_NEXT_DATA = 32801;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_APP_ABOUT = 57664;

// Pane windows of a splitter: first pane id + row * 16 + column.
constexpr int AFX_IDW_PANE_FIRST = 0xE900;

// Message the frame answers (a print-abort notice).
constexpr int WM_USER_ABORT = 0x0400 + 100;

} // namespace res
