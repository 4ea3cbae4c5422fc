#include "app/Commands.h"

#include "res/ResourceIds.h"
#include "support/AccessibleName.h"

#include <cctype>

namespace {

using M = CommandMenu;
using N = CommandNeeds;

constexpr CommandSpec kCommands[] = {
    {res::ID_CUST_IMPORT, M::File, "需要家データの取り込み(&L)...", "", nullptr, N::Nothing, false},
    {res::ID_CUST_EXPORT, M::File, "需要家データの切出し(&S)...", "", nullptr, N::Nothing, false},
    {0, M::File, "", "", nullptr, N::Nothing, false},
    {res::ID_TXT_OUT, M::File, "表示データをテキスト出力(CSV形式)(&C)", "", nullptr, N::Selection,
     false},
    {res::ID_XLSX_OUT, M::File, "Excelに出力(&E)...", "", nullptr, N::Selection, false},
    {0, M::File, "", "", nullptr, N::Nothing, false},
    {res::ID_FILE_PRINT, M::File, "印刷...\tCtrl+P(&P)", "Ctrl+P", "document-print", N::Selection,
     false},
    {res::ID_FILE_PRINT_PREVIEW, M::File, "印刷プレビュー(&V)...", "", nullptr, N::Selection,
     false},
    {res::ID_FILE_PDF, M::File, "PDFに出力(&F)...", "", nullptr, N::Selection, false},
    {res::ID_BATCH_OUT, M::File, "一括出力(&B)...", "", nullptr, N::StoredDay, false},
    {res::ID_FILE_PRINT_SETUP, M::File, "プリンタの設定(&R)...", "", nullptr, N::Nothing, false},
    {res::ID_REPORT_HEADER, M::File, "報告書ヘッダーの設定(&H)...", "", nullptr, N::Selection,
     false},
    {0, M::File, "", "", nullptr, N::Nothing, false},
    {res::ID_APP_EXIT, M::File, "アプリケーションの終了(&X)", "", nullptr, N::Nothing, false},

    {res::ID_READ_DATA, M::Edit, "機器からデータ転送(&M)...", "", "document-import", N::Nothing,
     false},
    {res::ID_CUST_EDIT, M::Edit, "需要家情報の編集(&I)...", "", nullptr, N::Nothing, false},
    {0, M::Edit, "", "", nullptr, N::Nothing, false},
    {res::ID_MON_START_DAY, M::Edit, "月報集計開始日の変更(&D)...", "", nullptr, N::Nothing, false},
    {res::ID_SERIAL_SETTINGS, M::Edit, "通信設定(&C)...", "", nullptr, N::Nothing, false},

    {res::ID_SELECT_DATA, M::View, "表示データの選択(&S)...", "Ctrl+O", "document-open", N::Nothing,
     false},
    // Ctrl with the page keys: the plain page keys scroll the views.
    {res::ID_PREV_DATA, M::View, "前の測定データ(&P)\tCtrl+PgUp", "Ctrl+PgUp", "go-previous",
     N::PreviousData, false},
    {res::ID_NEXT_DATA, M::View, "次の測定データ(&N)\tCtrl+PgDown", "Ctrl+PgDown", "go-next",
     N::NextData, false},
    {0, M::View, "", "", nullptr, N::Nothing, false},
    {res::ID_VIEW_SHEET, M::View, "表(&H)", "", "x-office-spreadsheet", N::Selection, false},
    {res::ID_VIEW_GRAPH, M::View, "グラフ(&G)", "", "x-office-presentation", N::Selection, false},
    {res::ID_VIEW_ANALYSIS, M::View, "分析(&A)", "", "utilities-system-monitor", N::Selection,
     false},
    {0, M::View, "", "", nullptr, N::Nothing, false},
    {res::ID_VIEW_TOOLBAR, M::View, "ツール バー(&T)", "", nullptr, N::Nothing, true},
    // "S" is 表示データの選択's in this menu.
    {res::ID_VIEW_STATUS_BAR, M::View, "ステータス バー(&U)", "", nullptr, N::Nothing, true},

    {res::ID_APP_ABOUT, M::Help, "バージョン情報(&A)...", "", "help-about", N::Nothing, false},
};

constexpr int kToolBar[] = {
    res::ID_READ_DATA,
    res::ID_SELECT_DATA,
    res::ID_PREV_DATA,
    res::ID_NEXT_DATA,
    0,
    res::ID_VIEW_SHEET,
    res::ID_VIEW_GRAPH,
    res::ID_VIEW_ANALYSIS,
    0,
    res::ID_FILE_PRINT,
    res::ID_APP_ABOUT,
};

} // namespace

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

const CommandSpec* findCommand(int id) {
    for (const CommandSpec& c : kCommands)
        if (c.id == id && id != 0)
            return &c;
    return nullptr;
}

const char* menuTitle(CommandMenu menu) {
    switch (menu) {
    case CommandMenu::File:
        return "ファイル(&F)";
    case CommandMenu::Edit:
        return "編集(&E)";
    case CommandMenu::View:
        return "表示(&V)";
    case CommandMenu::Help:
        return "ヘルプ(&H)";
    }
    return "";
}

bool usableWhileLoading(int id) {
    switch (id) {
    case res::ID_FILE_PRINT_SETUP:
    case res::ID_APP_EXIT:
    case res::ID_VIEW_TOOLBAR:
    case res::ID_VIEW_STATUS_BAR:
    case res::ID_APP_ABOUT:
        return true;
    default:
        return false;
    }
}

std::span<const int> toolBarCommands() {
    return kToolBar;
}

std::string plainCommandText(std::string_view text) {
    std::string plain = accessibleName(text);
    if (plain.ends_with("..."))
        plain.erase(plain.size() - 3);
    return plain;
}

char accessKey(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return '\0';
}
